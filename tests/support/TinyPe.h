#pragma once
// TinyPe: small PE32 / PE32+ images made in a test, with named sections of given bytes. They
// are not meant to run, only to be read and edited as the builder and the engine do.

#include <cstdint>
#include <string>
#include <vector>

struct TinyPe {
    struct Section {
        std::string name;
        std::vector<uint8_t> data;
    };
    bool pe32Plus = false;
    uint32_t peOffset = 0x80;
    uint32_t sizeOfHeaders = 0x400;   // a multiple of fileAlignment
    uint32_t fileAlignment = 0x200;
    uint32_t sectionAlignment = 0x1000;
    std::vector<Section> sections = {{".text", std::vector<uint8_t>(100, 0xC3)},
                                     {".rdata", std::vector<uint8_t>(300, 0x11)},
                                     {".data", std::vector<uint8_t>(40, 0x22)},
                                     {".rsrc", std::vector<uint8_t>(700, 0x33)}};
    std::vector<uint8_t> trailer;     // bytes behind the last section's data

    // The image: DOS header (0x3C = peOffset), "PE\0\0", file header, optional header (its
    // alignments, SizeOfImage = end of the last section, SizeOfInitializedData = the sum of
    // the raw sizes), the section table, each section's data padded to fileAlignment at
    // consecutive virtual addresses, then trailer.
    std::vector<uint8_t> build() const;
};
