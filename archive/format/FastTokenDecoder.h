#pragma once
// FastTokenDecoder: decodes a compressed block's tokens with exactly the results of
// TokenDecoder (the same output, the same refusals), but a token at a time instead of a bit
// at a time.
//
// Each token is parsed from a 64-bit window of the stream at its bit position (at least 57
// valid bits), which the fast loop keeps in a register: past a copy or a short literal run it
// shifts the token out and ORs in bytes loaded from an address known before, so that parsing
// a token does not wait for a load at its position. The common tokens (literal runs of up to
// 16 bytes, copies of up to 259) take a short path that needs no check beyond the copy's
// distance: while 32 output bytes and 24 block bytes are left, their bytes are written as
// whole 16-byte pieces (literal bytes shifted out of the stream), the bytes past the token's
// end being overwritten by the next ones. Other tokens take a path that checks every number
// (token); whatever the window cannot hold (a very long prefix) and the last tokens, once the
// slack is not there, are left to TokenDecoder, from the same position, so the two cannot
// differ there. No read passes the block and no write passes outputLength.

#include <cstdint>

class FastTokenDecoder {
public:
    // Decodes the bit stream of the block of length bytes at block (from bit 64, after the
    // head) into output, which has room for outputLength bytes. Neither is owned.
    FastTokenDecoder(const uint8_t* block, int length, uint8_t* output, int32_t outputLength);

    // True when the stream is exactly outputLength bytes of valid tokens (as
    // TokenDecoder::run); the output then holds them. On false the output is unspecified.
    bool run();

    // Decodes tokens until at least target bytes (at most outputLength) are produced, or
    // to the end once the fast loop's slack is gone; the next call goes on from there. False
    // at the first token that fails, or when the stream is not exactly outputLength bytes of
    // valid tokens. Either way the first produced() bytes of the output are final (the
    // output past them is unspecified). run() is runTo(outputLength).
    bool runTo(int64_t target);
    int64_t produced() const { return produced_; }

private:
    // Tokens while the slack is there and fewer than target bytes are produced, the short
    // ones on the short path, the others through token(). False at the first token that
    // fails; true otherwise, with position_ and produced_ after the last token decoded.
    bool fast(int64_t target);
    // The token at position_, all its numbers checked (exactToken when the window does not
    // hold it): false when it fails; true otherwise, position_ and produced_ moved past it.
    bool token();
    bool exactToken();
    bool exactRest();

    const uint8_t* block_;
    int64_t length_;
    int64_t position_;   // bit position in the block
    uint8_t* output_;
    int64_t outputLength_;
    int64_t produced_;
};
