#include "archive/format/ArchiveFormat.h"

bool archiveVersionAccepted(int32_t value)
{
    return !(value * 0.01 - kInstallerVersion > kVersionTolerance);
}

uint32_t archiveChecksum(const void* data, int length)
{
    uint32_t sum = kChecksumSeed;
    if (!data || length < 1)
        return sum;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const int words = length / 4;
    for (int i = 0; i < words; ++i)
        sum += loadU32(bytes + 4 * i);
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
