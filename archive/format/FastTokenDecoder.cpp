#include "archive/format/FastTokenDecoder.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/BitReader.h"
#include "archive/format/TokenDecoder.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// A window loaded at bit position p holds the 64 - (p mod 8) bits of the 8 bytes from byte
// p / 8 on: at least this many.
constexpr int kWindowBits = 57;

// The fast loop starts a token only while this many output bytes are left, so that tokens of
// up to 32 bytes are written as whole 16-byte pieces (the bytes past a token's end are
// overwritten by the next ones)...
constexpr int64_t kOutputSlack = 32;
// ...and while this many block bytes follow the window's first byte: the window (8 bytes) and
// a literal run of up to 16 bytes starting in it (its piece reads 24 bytes, from byte 7 at most).
constexpr int64_t kInputSlack = 32;

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

// The 16 bytes of the stream that start at bit shift (0..7) of in, written to out; reads the
// 24 bytes from in on.
inline void shiftedPiece(uint8_t* out, const uint8_t* in, int shift)
{
#if defined(__SSE2__)
    // Per 64-bit lane: the lane's bits moved down, the next 8 bytes' first bits moved up into
    // its top (a shift by 64 gives 0, which is right for shift 0).
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 8));
    const __m128i piece = _mm_or_si128(_mm_srl_epi64(low, _mm_cvtsi32_si128(shift)),
                                       _mm_sll_epi64(high, _mm_cvtsi32_si128(64 - shift)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), piece);
#else
    // (x << 1) << (63 - shift) is x << (64 - shift), and 0 when shift is 0.
    store64(out, load64(in) >> shift | (load64(in + 8) << 1) << (63 - shift));
    store64(out + 8, load64(in + 8) >> shift | (load64(in + 16) << 1) << (63 - shift));
#endif
}

inline void copy16(uint8_t* out, const uint8_t* from)
{
    memcpy(out, from, 16);
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

// count bytes from bit firstBit of the block (all inside it) to the output at produced:
// whole pieces while the block and the output have room for them (the last may write up to
// 15 bytes past count, which later tokens overwrite), then byte by byte.
void copyLiterals(const Stream& s, int64_t firstBit, int64_t produced, int64_t count)
{
    const uint8_t* in = s.block + (firstBit >> 3);
    const int shift = static_cast<int>(firstBit & 7);
    uint8_t* out = s.output + produced;
    int64_t pieces = (count + 15) >> 4;
    const int64_t inPieces = (s.block + s.length - in - 8) >> 4;
    const int64_t outPieces = (s.outputLength - produced) >> 4;
    if (pieces > inPieces)
        pieces = inPieces;
    if (pieces > outPieces)
        pieces = outPieces;
    if (pieces < 0)
        pieces = 0;
    for (int64_t i = 0; i < pieces; ++i)
        shiftedPiece(out + i * 16, in + i * 16, shift);
    for (int64_t i = pieces * 16; i < count; ++i) {
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
    if (count <= 16)   // the fast loop's slack holds its piece
        shiftedPiece(s.output + c.produced, s.block + (firstBit >> 3), static_cast<int>(firstBit & 7));
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
    const int64_t room = s.outputLength - c.produced;
    // 1 <= distance <= produced and 1 <= length <= distance, length <= room.
    if (uint64_t(distance - 1) >= uint64_t(c.produced) || uint64_t(length - 1) >= uint64_t(distance) ||
        length > room)
        return kFailed;
    uint8_t* out = s.output + c.produced;
    const uint8_t* from = out - distance;
    // The copied bytes lie before out (length <= distance), so pieces of any width read them
    // as they are; what a piece reads at or past out only lands past length, where later
    // tokens write.
    if (length <= 32) {   // the fast loop's slack holds both pieces
        copy16(out, from);
        copy16(out + 16, from + 16);
    } else if (length + 15 <= room) {
        for (int64_t i = 0; i < length; i += 16)
            copy16(out + i, from + i);
    } else {
        memcpy(out, from, size_t(length));
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
    if (count <= 32)   // the fast loop's slack holds it
        memset(s.output + c.produced, value, 32);
    else
        memset(s.output + c.produced, value, size_t(count));
    c.position += at;
    c.produced += count;
    return kDone;
}

// (1 << width) - 1 for the widths of the short tokens' numbers, which fast() masks without
// a shift by a variable.
constexpr uint32_t kMasks[31] = {
    0x0,       0x1,       0x3,       0x7,        0xF,        0x1F,       0x3F,      0x7F,
    0xFF,      0x1FF,     0x3FF,     0x7FF,      0xFFF,      0x1FFF,     0x3FFF,    0x7FFF,
    0xFFFF,    0x1FFFF,   0x3FFFF,   0x7FFFF,    0xFFFFF,    0x1FFFFF,   0x3FFFFF,  0x7FFFFF,
    0xFFFFFF,  0x1FFFFFF, 0x3FFFFFF, 0x7FFFFFF,  0xFFFFFFF,  0x1FFFFFFF, 0x3FFFFFFF};

// The stream's bits from a bit position on, for the fast loop: `have` of them in bits (57 at
// least at a token's start), the next ones from byte `next` on, so the position is
// (next - block) * 8 - have. After a token of fewer bits than `have`, skip() shifts them out
// and ORs the next bytes in from a load whose address was known a token earlier, so that the
// next token's bits do not wait for a load at its position.
struct BitWindow {
    const uint8_t* next;
    uint64_t bits;
    unsigned have;

    // The bits from position on; reads the 8 bytes from byte position / 8.
    void seek(const uint8_t* block, int64_t position)
    {
        next = block + (position >> 3);
        bits = load64(next) >> (position & 7);
        have = 64 - unsigned(position & 7);
        next += 8;
    }
    // Past used (1..have, less than 64) bits; reads the 8 bytes at next, and then holds at
    // least 57 bits again.
    void skip(unsigned used)
    {
        bits >>= used;
        have -= used;
        bits |= load64(next) << have;
        const unsigned loaded = (64 - have) >> 3;
        next += loaded;
        have += loaded * 8;
    }
    int64_t position(const uint8_t* block) const { return (next - block) * 8 - have; }
};

} // namespace

FastTokenDecoder::FastTokenDecoder(const uint8_t* block, int length, uint8_t* output,
                                   int32_t outputLength)
    : block_(block), length_(length), position_(int64_t(kBlockHeadSize) * 8), output_(output),
      outputLength_(outputLength), produced_(0)
{
}

bool FastTokenDecoder::run()
{
    return runTo(outputLength_);
}

bool FastTokenDecoder::runTo(int64_t target)
{
    if (target > outputLength_)
        target = outputLength_;
    if (produced_ == outputLength_)
        return true;
    if (length_ >= kInputSlack && outputLength_ >= kOutputSlack) {
        if (!fast(target))
            return false;
        if (produced_ >= target && produced_ < outputLength_)
            return true;
    }
    // The last tokens, bit by bit: whatever is left once the slack is not.
    return exactRest();
}

bool FastTokenDecoder::fast(int64_t target)
{
    const uint8_t* const block = block_;
    uint8_t* const output = output_;
    // The fast loop's slack: a token starts at output byte outputLength - kOutputSlack at most;
    // the window loads 8 bytes from byte length - 24 at most, so a token starts before byte
    // length - 30 and its literal bytes' piece (24 bytes from its second byte) stays in the
    // block. After token(), a window starts at byte length - kInputSlack at most.
    const uint8_t* const lastLoad = block + (length_ - 24);
    const int64_t lastPosition = (length_ - kInputSlack) * 8 + 7;
    const uint8_t* const lastOut = output + (outputLength_ - kOutputSlack);
    const uint8_t* const outEnd = output + outputLength_;
    const uint8_t* const stop = output + target;
    uint8_t* out = output + produced_;
    BitWindow w;
    w.seek(block, position_);
    while (w.next <= lastLoad && out <= lastOut && out < stop) {
        // The common tokens: numbers short enough that no width reaches 32 and the token
        // ends within the window, written as whole 16-byte pieces that stay in the output.
        // Anything else is left to token().
        if ((w.bits & 1) == 0) {
            // A literal run of at most 16 bytes: a count prefix of at most one 1 bit.
            const uint64_t countBits = w.bits >> 1;
            const unsigned ones = static_cast<unsigned>(__builtin_ctzll(~countBits));
            if (ones <= 1) {
                const uint64_t count = ((countBits >> (ones + 1)) & (ones ? 0xF : 0x3)) + 1;
                const int64_t firstBit = w.position(block) + 4 + 3 * ones;
                shiftedPiece(out, block + (firstBit >> 3), static_cast<int>(firstBit & 7));
                out += count;
                // A run of at most 6 bytes ends within the window (and is never 64 bits long).
                const unsigned used = 4 + 3 * ones + unsigned(count) * 8;
                if (used <= w.have)
                    w.skip(used);
                else
                    w.seek(block, firstBit + int64_t(count) * 8);
                continue;
            }
        } else if ((w.bits & 2) == 0) {
            // A copy of at most 259 bytes (a length prefix of at most six 1 bits) from less
            // than 2^30 bytes back (a distance prefix of at most nine): it ends by bit 57.
            // Up to 32 bytes it is two pieces; longer, 16-byte pieces while the output has
            // room for the last one.
            const uint64_t lengthBits = w.bits >> 2;
            const unsigned lengthOnes = static_cast<unsigned>(__builtin_ctzll(~lengthBits));
            if (lengthOnes <= 6) {
                const uint64_t length = ((lengthBits >> (lengthOnes + 1)) & kMasks[2 + lengthOnes]) + 4;
                const unsigned at = 5 + 2 * lengthOnes;
                const uint64_t distanceBits = w.bits >> at;
                const unsigned distanceOnes = static_cast<unsigned>(__builtin_ctzll(~distanceBits));
                if (distanceOnes <= 9) {
                    const uint64_t distance =
                        ((distanceBits >> (distanceOnes + 1)) & kMasks[12 + 2 * distanceOnes]) + 4;
                    if (length <= distance && distance <= uint64_t(out - output) &&
                        (length <= 32 || length + 15 <= uint64_t(outEnd - out))) {
                        // The copied bytes lie before out (length <= distance), so what a
                        // piece reads at or past out only lands past length.
                        const uint8_t* from = out - distance;
                        copy16(out, from);
                        copy16(out + 16, from + 16);
                        for (uint64_t i = 32; i < length; i += 16)
                            copy16(out + i, from + i);
                        out += length;
                        w.skip(at + 13 + 3 * distanceOnes);
                        continue;
                    }
                }
            }
        }
        position_ = w.position(block);
        produced_ = out - output;
        if (!token())
            return false;
        if (position_ > lastPosition)
            return true;
        w.seek(block, position_);
        out = output + produced_;
    }
    position_ = w.position(block);
    produced_ = out - output;
    return true;
}

bool FastTokenDecoder::token()
{
    const Stream s = {block_, length_, output_, outputLength_};
    Cursor c = {position_, produced_};
    const uint64_t window = load64(s.block + (c.position >> 3)) >> (c.position & 7);
    const Step step = (window & 1) == 0 ? literalRun(s, c, window)
                      : (window & 2) == 0 ? copy(s, c, window)
                                          : byteRun(s, c, window);
    if (step == kSlow)
        return exactToken();
    position_ = c.position;
    produced_ = c.produced;
    return step == kDone;
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
    TokenDecoder decoder(bits, output_, static_cast<int32_t>(outputLength_), produced_);
    const bool decoded = decoder.run();
    produced_ = decoder.produced();
    return decoded;
}
