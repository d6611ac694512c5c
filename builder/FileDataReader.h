#pragma once
// FileDataReader: the stored files back out of a file-data block (after gathering and
// decompression), with every check the installer makes, for `quiv list`, `quiv extract`
// and the tests.

#include "builder/FileDataWriter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The records of the plain block of size bytes at data, one per entry of storedSizes, each
// file's checksum verified. Throws std::runtime_error naming the record (its index and name)
// and the installer's corrupt code for an empty name (70), a negative or too large size (71,
// 72), a kind the installer refuses (110), a checksum mismatch (100), and for a block that
// ends inside a record or holds bytes behind the last one.
std::vector<StoredFile> readFileData(const uint8_t* data, size_t size, const std::vector<int32_t>& storedSizes);
