#include "tests/support/TinyPe.h"

#include <algorithm>

namespace {

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t alignUp(uint32_t v, uint32_t a) { return (v + a - 1) / a * a; }

} // namespace

std::vector<uint8_t> TinyPe::build() const
{
    const uint32_t optionalSize = pe32Plus ? 240 : 224;
    std::vector<uint8_t> image(sizeOfHeaders, 0);
    image[0] = 'M';
    image[1] = 'Z';
    put32(image, 0x3C, peOffset);
    put32(image, peOffset, 0x00004550u);
    put16(image, peOffset + 4, pe32Plus ? 0x8664 : 0x14C);
    put16(image, peOffset + 6, static_cast<uint32_t>(sections.size()));
    put16(image, peOffset + 20, optionalSize);
    put16(image, peOffset + 22, 0x0102);
    const uint32_t opt = peOffset + 24;
    put16(image, opt, pe32Plus ? 0x20B : 0x10B);
    put32(image, opt + 32, sectionAlignment);
    put32(image, opt + 36, fileAlignment);
    put32(image, opt + 60, sizeOfHeaders);
    put16(image, opt + 68, 2);   // GUI subsystem

    uint32_t table = opt + optionalSize;
    uint32_t virtualAddress = alignUp(sizeOfHeaders, sectionAlignment);
    uint32_t initialised = 0;
    for (size_t i = 0; i < sections.size(); ++i) {
        const Section& s = sections[i];
        uint32_t at = table + 40 * static_cast<uint32_t>(i);
        uint32_t rawSize = alignUp(static_cast<uint32_t>(s.data.size()), fileAlignment);
        uint32_t rawOffset = static_cast<uint32_t>(image.size());
        std::copy(s.name.begin(), s.name.begin() + std::min<size_t>(s.name.size(), 8), image.begin() + at);
        put32(image, at + 8, static_cast<uint32_t>(s.data.size()));
        put32(image, at + 12, virtualAddress);
        put32(image, at + 16, rawSize);
        put32(image, at + 20, rawSize ? rawOffset : 0);
        put32(image, at + 36, 0x40000040u);
        image.insert(image.end(), s.data.begin(), s.data.end());
        image.resize(rawOffset + rawSize, 0);
        virtualAddress += alignUp(std::max<uint32_t>(static_cast<uint32_t>(s.data.size()), 1), sectionAlignment);
        initialised += rawSize;
    }
    put32(image, opt + 8, initialised);
    put32(image, opt + 56, virtualAddress);
    image.insert(image.end(), trailer.begin(), trailer.end());
    return image;
}
