#pragma once
// One token of a compressed block, as a parser chooses it and the block writer encodes it.

#include <cstdint>

struct CompressedToken {
    enum Kind : uint8_t {
        kLiterals,   // length raw bytes, taken from the input at the token's position
        kCopy,       // length bytes from distance back; 4 <= length <= distance
        kRun,        // value repeated length times; length >= 3
    };

    Kind kind;
    uint8_t value;       // kRun: the repeated byte
    uint32_t length;     // bytes the token produces (>= 1)
    uint32_t distance;   // kCopy: how far back the copy starts

    static CompressedToken literals(uint32_t count) { return {kLiterals, 0, count, 0}; }
    static CompressedToken copy(uint32_t length, uint32_t distance) { return {kCopy, 0, length, distance}; }
    static CompressedToken run(uint8_t value, uint32_t count) { return {kRun, value, count, 0}; }
};
