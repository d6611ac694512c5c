#pragma once
// PeHeaders: the fields of a PE32 or PE32+ executable's headers that the builder reads and
// edits when it adds or removes a section, with their file offsets.

#include <cstdint>
#include <string>
#include <vector>

struct PeSectionEntry {
    std::string name;          // up to 8 bytes, without the zero padding
    uint32_t virtualSize = 0;
    uint32_t virtualAddress = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
    uint32_t characteristics = 0;
};

struct PeHeaders {
    uint32_t peOffset = 0;            // DOS header field at 0x3C (32 bits)
    bool pe32Plus = false;            // optional header magic 0x20B, else 0x10B
    uint16_t sectionCount = 0;
    uint16_t optionalSize = 0;
    uint32_t tableOffset = 0;         // peOffset + 24 + optionalSize
    uint32_t sizeOfInitializedData = 0;
    uint32_t sectionAlignment = 0;
    uint32_t fileAlignment = 0;
    uint32_t sizeOfImage = 0;
    uint32_t sizeOfHeaders = 0;
    std::vector<PeSectionEntry> sections;

    // File offset of section table entry index (index may be sectionCount: the next free slot).
    uint32_t entryOffset(int index) const { return tableOffset + 40u * static_cast<uint32_t>(index); }
};

// The headers of image. Throws std::runtime_error, naming the fault, when image is not a PE32
// or PE32+ executable ("MZ", "PE\0\0", a known optional header magic, a section table and
// alignments that lie inside the image's headers).
PeHeaders readPeHeaders(const std::vector<uint8_t>& image);

// Little-endian access to image bytes; throw std::out_of_range past the end.
uint16_t peLoadU16(const std::vector<uint8_t>& image, size_t offset);
uint32_t peLoadU32(const std::vector<uint8_t>& image, size_t offset);
void peStoreU16(std::vector<uint8_t>& image, size_t offset, uint16_t value);
void peStoreU32(std::vector<uint8_t>& image, size_t offset, uint32_t value);
