#pragma once
// PeSectionWriter: adds one section to a copy of a PE32 or PE32+ executable (the engine),
// behind its last section, as the archive section of an installer.

#include "builder/PeHeaders.h"

#include <cstdint>
#include <string>
#include <vector>

class PeSectionWriter {
public:
    // Where addSection put the section.
    struct Placement {
        int index = 0;                // its entry in the section table (the last one)
        uint32_t virtualAddress = 0;
        uint32_t rawOffset = 0;       // file offset of its data
        uint32_t rawSize = 0;         // data padded to the section alignment
    };

    // Reads the headers of image (a copy is kept). Throws std::runtime_error when image is
    // not a PE32 or PE32+ executable (see readPeHeaders).
    explicit PeSectionWriter(std::vector<uint8_t> image);

    // The image with a section named name holding data appended: a new section table entry
    // (initialised, readable data) in the free slot behind the table, the data at the end of
    // the file rounded up to the file alignment, at the virtual address where the image
    // ended, rounded up to the section alignment. The data is padded with zeros to a whole
    // multiple of the section alignment, so that raw and virtual size are equal and removing
    // the section again (subtracting its raw size) restores the image's sizes exactly.
    // NumberOfSections, SizeOfImage and SizeOfInitializedData are updated; nothing else.
    // placement, when given, receives where the section went.
    //
    // Throws std::invalid_argument for a name of 0 or more than 8 bytes and
    // std::runtime_error, with a message saying so, when the headers have no room for one
    // more section table entry (the slot passes SizeOfHeaders or the first section's data, or
    // holds other data) or the result would pass 4 GiB.
    std::vector<uint8_t> addSection(const std::string& name, const std::vector<uint8_t>& data,
                                    Placement* placement = nullptr) const;

    const PeHeaders& headers() const { return headers_; }

private:
    std::vector<uint8_t> image_;
    PeHeaders headers_;
};
