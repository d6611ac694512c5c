#pragma once
// FastTokenDecoder: decodes a compressed block's tokens with exactly the results of
// TokenDecoder (the same output, the same refusals), but a token at a time instead of a bit
// at a time.
//
// Each token is parsed from one 64-bit window loaded at its bit position (at least 57 valid
// bits); literal bytes are shifted out of the stream a word at a time; copies, which never
// overlap their own output, and byte runs are written in wide pieces while the output has
// room for them. Whatever the window cannot hold (a very long prefix, the last bytes of the
// stream) is left to TokenDecoder, from the same position, so the two cannot differ there.
// No read passes the block and no write passes outputLength.

#include <cstdint>

class FastTokenDecoder {
public:
    // Decodes the bit stream of the block of length bytes at block (from bit 64, after the
    // head) into output, which has room for outputLength bytes. Neither is owned.
    FastTokenDecoder(const uint8_t* block, int length, uint8_t* output, int32_t outputLength);

    // True when the stream is exactly outputLength bytes of valid tokens (as
    // TokenDecoder::run); the output then holds them. On false the output is unspecified.
    bool run();

private:
    bool exactToken();
    bool exactRest();

    const uint8_t* block_;
    int64_t length_;
    int64_t position_;   // bit position in the block
    uint8_t* output_;
    int64_t outputLength_;
    int64_t produced_;
};
