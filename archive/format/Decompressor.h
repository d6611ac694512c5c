#pragma once
// The decoder of compressed blocks (layout in archive/format/ArchiveFormat.h): literal runs,
// back-references that never overlap what they produce, and byte runs. decompressBlock decodes
// a token at a time (FastTokenDecoder); decompressBlockExact, bit by bit (TokenDecoder), is the
// reference the tests hold it to.

#include <cstdint>

class String;

// Decodes the compressed block of length bytes at data. On success data and length are
// replaced by a new block of exactly outputLength bytes (allocateMemory, core/OutOfMemory.h;
// at least one byte is allocated even for an empty result) and true is returned; the caller
// owns the new block and still owns, and releases, the old one. False, data and length
// unchanged, when data is null, the block is shorter than its 8-byte head, the magic is
// wrong, outputLength is negative or cannot be allocated, or the stream is not exactly
// outputLength bytes of valid tokens (a read past its end, a count or length of 0 or less, a
// copy from before the start or overlapping its own output, a token producing more than the
// bytes still missing, or fewer bytes than outputLength).
bool decompressBlock(uint8_t*& data, int& length);

// As above for a byte buffer held in a String: on success its content becomes the decoded
// bytes; on failure it is unchanged.
bool decompressBlock(String& buffer);

// As above for a block that stays where it is (read-only memory such as the mapped program
// image): on success output holds the decoded bytes; on failure output is unchanged.
bool decompressBlock(const void* data, int length, String& output);

// The output length announced by the compressed block of length bytes at data. False
// (outputLength unchanged) when data is null, the block is shorter than its 8-byte head, the
// magic is wrong or the length is negative: the refusals of the head above.
bool readBlockHead(const uint8_t* data, int length, int32_t& outputLength);

// As decompressBlock (pointer form), decoding bit by bit: the same results, slower.
bool decompressBlockExact(uint8_t*& data, int& length);
