#pragma once
// File data for hand-made archives: installers that go as far as extracting find one
// uncompressed record per stored size there, so their runs end without a corrupt-archive box.

#include <cstdint>
#include <vector>

// The records of files "file1.dat", "file2.dat", ... into the installation directory, of the
// given sizes (zero bytes), without time or attributes.
std::vector<uint8_t> storedFileData(const std::vector<int32_t>& sizes);
