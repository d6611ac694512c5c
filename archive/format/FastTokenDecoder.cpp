#include "archive/format/FastTokenDecoder.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/BitReader.h"
#include "archive/format/TokenDecoder.h"

#include <cstring>

namespace {

// A window loaded at bit position p holds the 64 - (p mod 8) bits of the 8 bytes from byte
// p / 8 on: at least this many.
constexpr int kWindowBits = 57;

// The 8 bytes at p as a little-endian number. memcpy: no alignment needed, one load.
inline uint64_t load64(const uint8_t* p)
{
    uint64_t value;
    memcpy(&value, p, sizeof value);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    value = __builtin_bswap64(value);
#endif
    return value;
}

inline void store64(uint8_t* p, uint64_t value)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    value = __builtin_bswap64(value);
#endif
    memcpy(p, &value, sizeof value);
}

// The width of a number with base and step is min(base + ones * step, 32) only when the
// width reaches 32 exactly (the reader stops growing it there).
constexpr bool capsAt32(int base, int step) { return base <= kNumberMaxBits && (kNumberMaxBits - base) % step == 0; }
static_assert(capsAt32(kLiteralCountBase, kLiteralCountStep) &&
                  capsAt32(kCopyLengthBase, kCopyLengthStep) &&
                  capsAt32(kCopyDistanceBase, kCopyDistanceStep) &&
                  capsAt32(kRunCountBase, kRunCountStep),
              "every number's width stops at 32");

// The number (base, step) whose prefix starts at bit `at` (1..kWindowBits) of window, plus
// bias: true, with at moved past it, when it ends within the window's valid bits; false,
// nothing changed, otherwise.
template <int base, int step, int bias>
inline bool windowNumber(uint64_t window, int& at, int64_t& result)
{
    const uint64_t bits = window >> at;   // its top bit is 0, so the prefix ends in it
    const int ones = __builtin_ctzll(~bits);
    int width = base + ones * step;
    if (width > kNumberMaxBits)
        width = kNumberMaxBits;
    const int end = at + ones + 1 + width;
    if (end > kWindowBits)
        return false;
    const uint32_t value = static_cast<uint32_t>((bits >> (ones + 1)) & ((uint64_t(1) << width) - 1));
    result = int64_t(static_cast<int32_t>(value)) + bias;
    at = end;
    return true;
}

} // namespace

FastTokenDecoder::FastTokenDecoder(const uint8_t* block, int length, uint8_t* output,
                                   int32_t outputLength)
    : block_(block), length_(length), position_(int64_t(kBlockHeadSize) * 8), output_(output),
      outputLength_(outputLength), produced_(0)
{
}

bool FastTokenDecoder::run()
{
    while (produced_ < outputLength_) {
        const int64_t byte = position_ >> 3;
        if (byte + 8 > length_)
            return exactRest();
        const uint64_t window = load64(block_ + byte) >> (position_ & 7);
        const Step step = (window & 1) == 0 ? literalRun(window)
                          : (window & 2) == 0 ? copy(window)
                                              : byteRun(window);
        if (step == kFailed || (step == kSlow && !exactToken()))
            return false;
    }
    return true;   // no token passes outputLength, so produced_ is exactly outputLength_
}

FastTokenDecoder::Step FastTokenDecoder::literalRun(uint64_t window)
{
    int at = 1;
    int64_t count;
    if (!windowNumber<kLiteralCountBase, kLiteralCountStep, kLiteralCountBias>(window, at, count))
        return kSlow;
    const int64_t firstBit = position_ + at;
    if (count <= 0 || count > outputLength_ - produced_ || count * 8 > length_ * 8 - firstBit)
        return kFailed;
    copyLiterals(firstBit, count);
    position_ = firstBit + count * 8;
    produced_ += count;
    return kDone;
}

// count bytes from bit firstBit of the block (all inside it) to the output at produced_.
void FastTokenDecoder::copyLiterals(int64_t firstBit, int64_t count)
{
    const uint8_t* in = block_ + (firstBit >> 3);
    const int shift = static_cast<int>(firstBit & 7);
    uint8_t* out = output_ + produced_;
    // Whole words while a word's 9 source bytes are in the block and its 8 bytes fit the
    // output; a last word may write up to 7 bytes past count, which later tokens overwrite.
    int64_t words = (count + 7) / 8;
    const int64_t inWords = (block_ + length_ - in - 1) / 8;
    const int64_t outWords = (outputLength_ - produced_) / 8;
    if (words > inWords)
        words = inWords;
    if (words > outWords)
        words = outWords;
    for (int64_t i = 0; i < words; ++i) {
        const uint8_t* p = in + i * 8;
        // (p[8] << 1) << (63 - shift) is p[8] << (64 - shift), and 0 when shift is 0.
        store64(out + i * 8, load64(p) >> shift | (uint64_t(p[8]) << 1) << (63 - shift));
    }
    for (int64_t i = words * 8; i < count; ++i) {
        unsigned value = in[i] >> shift;
        if (shift)   // then the byte's last bits are in the next source byte
            value |= unsigned(in[i + 1]) << (8 - shift);
        out[i] = static_cast<uint8_t>(value);
    }
}

FastTokenDecoder::Step FastTokenDecoder::copy(uint64_t window)
{
    int at = 2;
    int64_t length, distance;
    if (!windowNumber<kCopyLengthBase, kCopyLengthStep, kCopyLengthBias>(window, at, length) ||
        !windowNumber<kCopyDistanceBase, kCopyDistanceStep, kCopyDistanceBias>(window, at, distance))
        return kSlow;
    const int64_t start = produced_ - distance;
    const int64_t room = outputLength_ - produced_;
    if (length <= 0 || distance <= 0 || start < 0 || start + length > produced_ || length > room)
        return kFailed;
    uint8_t* out = output_ + produced_;
    const uint8_t* from = output_ + start;
    if (length <= 32 && room >= 32) {
        // Pieces no longer than the distance: each reads only bytes decoded before it was
        // written (never the ones it writes); bytes past length are overwritten later.
        if (distance >= 16) {
            for (int64_t i = 0; i < length; i += 16)
                memcpy(out + i, from + i, 16);
        } else if (distance >= 8) {
            for (int64_t i = 0; i < length; i += 8)
                memcpy(out + i, from + i, 8);
        } else {
            for (int64_t i = 0; i < length; i += 4)
                memcpy(out + i, from + i, 4);
        }
    } else {
        memcpy(out, from, size_t(length));   // length <= distance: no overlap
    }
    position_ += at;
    produced_ += length;
    return kDone;
}

FastTokenDecoder::Step FastTokenDecoder::byteRun(uint64_t window)
{
    const uint8_t value = static_cast<uint8_t>(window >> 2);
    int at = 10;
    int64_t count;
    if (!windowNumber<kRunCountBase, kRunCountStep, kRunCountBias>(window, at, count))
        return kSlow;
    const int64_t room = outputLength_ - produced_;
    if (count <= 0 || count > room)
        return kFailed;
    memset(output_ + produced_, value, size_t(count <= 32 && room >= 32 ? 32 : count));
    position_ += at;
    produced_ += count;
    return kDone;
}

bool FastTokenDecoder::exactToken()
{
    BitReader bits(block_, static_cast<int>(length_));
    bits.seekBit(position_);
    TokenDecoder decoder(bits, output_, static_cast<int32_t>(outputLength_), produced_);
    if (!decoder.token())
        return false;
    position_ = bits.position();
    produced_ = decoder.produced();
    return true;
}

bool FastTokenDecoder::exactRest()
{
    BitReader bits(block_, static_cast<int>(length_));
    bits.seekBit(position_);
    return TokenDecoder(bits, output_, static_cast<int32_t>(outputLength_), produced_).run();
}
