#pragma once
// OptimalCompressor: parses an input into the tokens of a compressed block with the least bits
// it can find. The block format has no entropy coder, so every token's bit count is known
// beforehand (BlockWriter's tokenBits): the parse is a shortest path over the input positions,
// solved by a forward dynamic program with exact costs for literal runs, copies and byte runs.
//
// Matches come from two hash chains: one over 4-byte prefixes within the last MiB (near copies,
// whose short distances are cheap) and one over 8-byte prefixes across the whole input (far
// copies, any distance up to 2^31). For each position the candidates are the longest copy found
// and, for every shorter length, the nearest copy that reaches it.
//
// The input is cut into segments parsed by worker threads in parallel; a segment's copies may
// reach back into all of the input before it. Within a segment the program runs over windows of
// 64 KiB, and a copy or run of at least niceLength bytes is taken whole at once.
//
// Memory: 4 bytes per input byte (the far chain) plus the tokens (12 bytes each), and a fixed
// amount: up to 16 MiB for the far chain's heads, about 8 MiB per worker thread (a build of the
// 83 MB bench payload peaks at 0.69 GB, the files and both blocks included).

#include "builder/CompressedToken.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class OptimalCompressor {
public:
    struct Options {
        // Chain entries examined per position. The search is bound by memory latency (each
        // entry is a cache miss somewhere in the input), so it stops early: the near chain at
        // the first copy of goodLength bytes, the far chain after one entry.
        int nearChain = 4;             // near-chain entries examined per position at most
        int farChain = 1;              // far-chain entries examined per position
        uint32_t goodLength = 16;      // a near copy this long ends the near search
        uint32_t niceLength = 64;      // a copy or run this long is taken without weighing others
        unsigned threads = 0;          // worker threads; 0: one per processor
        size_t segmentSize = 4u << 20; // bytes a worker parses at a time
    };

    // Called on the thread that runs parse, with the bytes parsed so far and the input's size:
    // now and then while parsing, and once with done == total at the end.
    using Progress = std::function<void(size_t done, size_t total)>;

    OptimalCompressor() : OptimalCompressor(Options()) {}
    // Throws std::invalid_argument when a chain length is below 1, niceLength below 8,
    // goodLength below 4 or the segment size is 0.
    explicit OptimalCompressor(Options options);

    // The tokens for size bytes at data; they cover it exactly, in order, and writeBlock
    // accepts them. Empty for size 0. Throws std::length_error when size exceeds 2^31 - 1 and
    // std::bad_alloc when memory runs out; progress is not called after a throw.
    std::vector<CompressedToken> parse(const uint8_t* data, size_t size, const Progress& progress = {}) const;

private:
    Options options_;
};
