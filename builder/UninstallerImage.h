#pragma once
// The uninstaller image the engine makes from an installer: the same executable without its
// archive section, optionally patched. The builder predicts it to check the engine's result.

#include <cstdint>
#include <vector>

// The installer image without its ".quiv" section (the first entry of that exact name): the
// bytes before the section's data and those behind it; the section count lowered by one;
// SizeOfInitializedData and SizeOfImage lowered by the section's raw size; the entries
// behind it moved one slot down, those whose data lay behind the section's with their raw-data
// offsets lowered by that size; the freed
// last slot zeroed. Then, when patchOffset > 0 and patchOffset + patch size does not pass the
// image's end, the patch bytes are copied over the image at patchOffset.
// Throws std::runtime_error when installer is not a PE image with such a section or the
// section's data passes the end of the file.
std::vector<uint8_t> predictUninstallerImage(const std::vector<uint8_t>& installer, uint32_t patchOffset = 0,
                                             const std::vector<uint8_t>& patch = {});
