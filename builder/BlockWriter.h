#pragma once
// The block writer: encodes a parse of the input as a compressed block, exactly the format the
// engine's decompressBlock reads (layout in archive/format/ArchiveFormat.h), and the bit cost
// of each token for the parsers.

#include "builder/CompressedToken.h"

class BitWriter;

#include <cstddef>
#include <cstdint>
#include <vector>

// The block for size bytes at data parsed into tokens: head (magic, size), then each token's
// bits, the last byte padded with 0 bits. Every token is checked against the data: a literal
// run of at least 1 byte; a copy of length 4..distance from at least 4 bytes back whose bytes
// equal those it stands for (so never overlapping its own output); a run of at least 3 bytes
// equal to its value; together exactly size bytes. Throws std::invalid_argument when a token
// breaks these rules and std::length_error when size exceeds 2^31 - 1.
std::vector<uint8_t> writeBlock(const uint8_t* data, size_t size,
                                const std::vector<CompressedToken>& tokens);

// Appends token t in its shortest form, unchecked; a literal run's bytes are read from bytes.
void writeToken(BitWriter& bits, const uint8_t* bytes, const CompressedToken& t);
// The bits writeToken spends on t (literal runs include their bytes); 0 for an unknown kind.
uint64_t tokenBits(const CompressedToken& t);

// Bits of each token in its shortest form (literal runs include their bytes).
uint64_t literalRunBits(uint32_t count);
int copyBits(uint32_t length, uint32_t distance);
int byteRunBits(uint32_t count);
