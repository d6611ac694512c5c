#pragma once
// How hard the builder compresses the file-data block.

enum class CompressionLevel {
    kBest,   // OptimalCompressor: the fewest bits it can find, on worker threads
    kFast,   // Compressor: a hash chain with one step of lazy evaluation, on one thread
};
