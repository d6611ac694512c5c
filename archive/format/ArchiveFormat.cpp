#include "archive/format/ArchiveFormat.h"

bool archiveVersionAccepted(int32_t value)
{
    return !(value * 0.01 - kInstallerVersion > kVersionTolerance);
}

namespace {

// The sum modulo 2^32 of count little-endian u32 words at bytes (no alignment needed). Where
// the machine has 16-byte vector adds (SSE2) and is little-endian, 64 bytes go into four
// vector accumulators per step, so the sum keeps up with memory; the rest word by word.
uint32_t sumWords(const uint8_t* bytes, int count)
{
    uint32_t sum = 0;
    int i = 0;
#if defined(__SSE2__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    typedef uint32_t Lanes __attribute__((vector_size(16)));
    // The same lanes read from any address, aliasing anything (unaligned vector loads).
    typedef uint32_t LanesAt __attribute__((vector_size(16), aligned(1), may_alias));
    Lanes a = {0, 0, 0, 0}, b = a, c = a, d = a;
    for (; i + 16 <= count; i += 16) {
        const LanesAt* w = reinterpret_cast<const LanesAt*>(bytes + 4 * i);
        a += w[0];
        b += w[1];
        c += w[2];
        d += w[3];
    }
    a += b + c + d;
    sum = a[0] + a[1] + a[2] + a[3];
#endif
    for (; i < count; ++i)
        sum += loadU32(bytes + 4 * i);
    return sum;
}

} // namespace

uint32_t archiveChecksum(const void* data, int length)
{
    uint32_t sum = kChecksumSeed;
    if (!data || length < 1)
        return sum;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const int words = length / 4;
    sum += sumWords(bytes, words);
    for (int i = words * 4; i < length; ++i)
        sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(bytes[i])));
    return sum + static_cast<uint32_t>(length);
}

void unscramble(void* buffer, int length, uint32_t key)
{
    if (!buffer || length < 1)
        return;
    uint8_t* bytes = static_cast<uint8_t*>(buffer);
    const uint8_t keyBytes[4] = {static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8),
                                 static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 24)};
    for (int i = 0; i < length; ++i)
        bytes[i] ^= keyBytes[i & 3];
}
