#pragma once
// TokenDecoder: the reference decoder of a compressed block's tokens, reading its bit stream
// bit by bit through a BitReader (layout in archive/format/ArchiveFormat.h).
//
// Counts are held in 64 bits, so a number near 2^31 plus its bias cannot wrap into something
// valid, and every token is checked against the bytes still missing before it writes: output
// never grows past outputLength. A token that would pass it fails at once, as it would fail
// the length check after the last token.

#include <cstdint>

class BitReader;

class TokenDecoder {
public:
    // Decodes from the reader's position into output, which has room for outputLength bytes
    // of which the first `produced` are already decoded. Neither is owned.
    TokenDecoder(BitReader& bits, uint8_t* output, int32_t outputLength, int64_t produced = 0)
        : bits_(bits), output_(output), outputLength_(outputLength), produced_(produced) {}

    // Tokens until the output holds outputLength bytes. True when it then holds exactly that
    // many; false at the first token that fails (output bytes past produced() are then
    // unspecified).
    bool run();

    // One token (literal run, copy or byte run), advancing the reader past it. False when a
    // read fails, a count or length is 0 or less, a copy starts before the output or overlaps
    // its own bytes, or the token produces more than the bytes still missing; the output
    // then is unchanged.
    bool token();

    int64_t produced() const { return produced_; }

private:
    bool number(int base, int step, int bias, int64_t& result);
    bool fits(int64_t count) const { return count <= outputLength_ - produced_; }
    bool literalRun();
    bool copy();
    bool byteRun();

    BitReader& bits_;
    uint8_t* output_;
    int64_t outputLength_;
    int64_t produced_;
};
