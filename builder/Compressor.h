#pragma once
// Compressor: a hash-chain matcher with one step of lazy evaluation that parses an input into
// the tokens of a compressed block (literal runs, copies from at least 4 bytes back that never
// overlap their own output, byte runs). Runs of one byte, which a copy cannot express because
// it may not overlap, become byte-run tokens of any length.

#include "builder/CompressedToken.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class Compressor {
public:
    struct Options {
        int maxChain = 32;            // chain entries examined per position
        bool lazy = true;             // defer a match when the next position has a better one
        uint32_t window = 1u << 22;   // farthest distance searched (a power of two)
    };

    Compressor() : Compressor(Options()) {}
    explicit Compressor(Options options);

    // The tokens for size bytes at data; they cover it exactly, in order, and writeBlock
    // accepts them. Empty for size 0. Throws std::length_error when size exceeds 2^31 - 1.
    std::vector<CompressedToken> parse(const uint8_t* data, size_t size) const;

private:
    Options options_;
};

// The compressed block of size bytes at data (Compressor's default parse, then writeBlock).
// Throws std::length_error when size exceeds 2^31 - 1.
std::vector<uint8_t> compressBlock(const uint8_t* data, size_t size);
