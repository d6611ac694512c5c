#pragma once
// OptimalCompressor: parses an input into the tokens of a compressed block with the least bits
// it can find. The block format has no entropy coder, so every token's bit count is known
// beforehand (BlockWriter's tokenBits): the parse is a shortest path over the input positions,
// solved by a forward dynamic program with exact costs for literal runs, copies and byte runs.
//
// Matches come from three sources: a hash chain over 4-byte prefixes within the last MiB (near
// copies, whose short distances are cheap); a table of 8-byte prefixes holding the newest
// position of each hash, per worker, for the copies beyond the few chain entries searched; and
// anchors for long repeats anywhere before. An anchor is a position whose 64-byte window hashes
// (a rolling hash) to a value with its top 6 bits zero, about one position in 64; each anchor is
// linked to the latest earlier one with the same hash, once for the whole input before parsing.
// A position's far candidates are the distances of the first anchor at or after it, so a repeat
// is found from its true start, before the anchor, too. For each position the candidates are
// the longest copy found and, for every shorter length, the nearest copy that reaches it.
//
// The input is cut into segments parsed by worker threads in parallel; a segment's copies may
// reach back into all of the input before it. Within a segment the program runs over windows of
// 64 KiB, and a copy or run of at least niceLength bytes is taken whole at once.
//
// Memory: the anchors (12 bytes each, about 0.2 bytes per input byte) plus the tokens (12 bytes
// each), and a fixed amount: up to 8 MiB for the anchors' heads, about 13 MiB per worker thread
// (the bench payload of 83 MB is parsed in 0.30 GB, the input included). The same input gives
// the same tokens whatever the number of threads.

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
        // the first copy of goodLength bytes.
        int nearChain = 4;             // near-chain entries examined per position at most
        int farChain = 1;              // earlier anchors (1..8) whose distances are tried
        uint32_t goodLength = 16;      // a near copy this long ends the near search
        uint32_t niceLength = 64;      // a copy or run this long is taken without weighing others
        unsigned threads = 0;          // worker threads; 0: one per processor
        size_t segmentSize = 4u << 20; // bytes a worker parses at a time
    };

    // Called on the thread that runs parse, with the bytes parsed so far and the input's size:
    // now and then while parsing, and once with done == total at the end.
    using Progress = std::function<void(size_t done, size_t total)>;

    OptimalCompressor() : OptimalCompressor(Options()) {}
    // Throws std::invalid_argument when a chain length is below 1, farChain above 8, niceLength below 8,
    // goodLength below 4 or the segment size is 0.
    explicit OptimalCompressor(Options options);

    // The tokens for size bytes at data; they cover it exactly, in order, and writeBlock
    // accepts them. Empty for size 0. Throws std::length_error when size exceeds 2^31 - 1 and
    // std::bad_alloc when memory runs out; progress is not called after a throw.
    std::vector<CompressedToken> parse(const uint8_t* data, size_t size, const Progress& progress = {}) const;

private:
    Options options_;
};
