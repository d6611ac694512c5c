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
constexpr bool capsAt32(int base, int step)
{
    return base <= kNumberMaxBits && (kNumberMaxBits - base) % step == 0;
}
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

// The decoder's state in locals of run(), so that the compiler keeps it in registers across
// the writes to the output (which may alias anything a pointer reaches).
struct Stream {
    const uint8_t* block;
    int64_t length;
    uint8_t* output;
    int64_t outputLength;
};

struct Cursor {
    int64_t position;   // bit position in the block
    int64_t produced;
};

enum Step { kDone, kFailed, kSlow };   // kSlow: the window does not hold the token

// count bytes from bit firstBit of the block (all inside it) to the output at produced.
inline void copyLiterals(const Stream& s, int64_t firstBit, int64_t produced, int64_t count)
{
    const uint8_t* in = s.block + (firstBit >> 3);
    const int shift = static_cast<int>(firstBit & 7);
    uint8_t* out = s.output + produced;
    // Whole words while a word's 9 source bytes are in the block and its 8 bytes fit the
    // output; a last word may write up to 7 bytes past count, which later tokens overwrite.
    int64_t words = (count + 7) >> 3;
    const int64_t inWords = (s.block + s.length - in - 1) >> 3;
    const int64_t outWords = (s.outputLength - produced) >> 3;
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

inline Step literalRun(const Stream& s, Cursor& c, uint64_t window)
{
    int at = 1;
    int64_t count;
    if (!windowNumber<kLiteralCountBase, kLiteralCountStep, kLiteralCountBias>(window, at, count))
        return kSlow;
    const int64_t room = s.outputLength - c.produced;
    const int64_t firstBit = c.position + at;
    if (count <= 0 || count > room || count * 8 > s.length * 8 - firstBit)
        return kFailed;
    if (at + count * 8 <= kWindowBits && room >= 8)
        store64(s.output + c.produced, window >> at);   // the bytes are in the window
    else
        copyLiterals(s, firstBit, c.produced, count);
    c.position = firstBit + count * 8;
    c.produced += count;
    return kDone;
}

inline Step copy(const Stream& s, Cursor& c, uint64_t window)
{
    int at = 2;
    int64_t length, distance;
    if (!windowNumber<kCopyLengthBase, kCopyLengthStep, kCopyLengthBias>(window, at, length) ||
        !windowNumber<kCopyDistanceBase, kCopyDistanceStep, kCopyDistanceBias>(window, at, distance))
        return kSlow;
    const int64_t start = c.produced - distance;
    const int64_t room = s.outputLength - c.produced;
    if (length <= 0 || distance <= 0 || start < 0 || start + length > c.produced || length > room)
        return kFailed;
    uint8_t* out = s.output + c.produced;
    const uint8_t* from = s.output + start;
    if (length <= 32 && room >= 32) {
        // Pieces no longer than the distance: each reads only bytes decoded before it was
        // written (never the ones it writes); bytes past length are overwritten later.
        if (distance >= 16) {
            memcpy(out, from, 16);
            if (length > 16)
                memcpy(out + 16, from + 16, 16);
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
    c.position += at;
    c.produced += length;
    return kDone;
}

inline Step byteRun(const Stream& s, Cursor& c, uint64_t window)
{
    const uint8_t value = static_cast<uint8_t>(window >> 2);
    int at = 10;
    int64_t count;
    if (!windowNumber<kRunCountBase, kRunCountStep, kRunCountBias>(window, at, count))
        return kSlow;
    const int64_t room = s.outputLength - c.produced;
    if (count <= 0 || count > room)
        return kFailed;
    if (count <= 32 && room >= 32)
        memset(s.output + c.produced, value, 32);
    else
        memset(s.output + c.produced, value, size_t(count));
    c.position += at;
    c.produced += count;
    return kDone;
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
    const Stream s = {block_, length_, output_, outputLength_};
    Cursor c = {position_, produced_};
    while (c.produced < s.outputLength) {
        const int64_t byte = c.position >> 3;
        if (byte + 8 > s.length)
            break;
        const uint64_t window = load64(s.block + byte) >> (c.position & 7);
        const Step step = (window & 1) == 0 ? literalRun(s, c, window)
                          : (window & 2) == 0 ? copy(s, c, window)
                                              : byteRun(s, c, window);
        if (step == kFailed)
            return false;
        if (step == kSlow) {
            position_ = c.position;
            produced_ = c.produced;
            if (!exactToken())
                return false;
            c.position = position_;
            c.produced = produced_;
        }
    }
    position_ = c.position;
    produced_ = c.produced;
    // No token passes outputLength: done, or the last bytes of the stream are left.
    return produced_ == outputLength_ || exactRest();
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
