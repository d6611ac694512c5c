#pragma once
// How hard the builder compresses the file-data block.

enum class CompressionLevel {
    kBest,   // OptimalCompressor: the fewest bits it can find, several times slower
    kFast,   // Compressor: hash chains with one step of lazy evaluation
};
