#include "builder/PeHeaders.h"

#include "archive/format/ArchiveFormat.h"

#include <stdexcept>

namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr int kOptionalMagicField = 24;        // from the PE header
constexpr int kSectionAlignmentField = 56;     // optional header + 32
constexpr int kFileAlignmentField = 60;        // optional header + 36
constexpr int kSizeOfHeadersField = 84;        // optional header + 60
constexpr int kMinOptionalSize = 64;           // up to and including SizeOfHeaders

void need(const std::vector<uint8_t>& image, size_t offset, size_t count)
{
    if (offset > image.size() || image.size() - offset < count)
        throw std::out_of_range("PE image: read past the end at offset " + std::to_string(offset));
}

[[noreturn]] void refuse(const std::string& why)
{
    throw std::runtime_error("not a usable PE executable: " + why);
}

} // namespace

uint16_t peLoadU16(const std::vector<uint8_t>& image, size_t offset)
{
    need(image, offset, 2);
    return static_cast<uint16_t>(image[offset] | image[offset + 1] << 8);
}

uint32_t peLoadU32(const std::vector<uint8_t>& image, size_t offset)
{
    need(image, offset, 4);
    return loadU32(image.data() + offset);
}

void peStoreU16(std::vector<uint8_t>& image, size_t offset, uint16_t value)
{
    need(image, offset, 2);
    image[offset] = static_cast<uint8_t>(value);
    image[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void peStoreU32(std::vector<uint8_t>& image, size_t offset, uint32_t value)
{
    need(image, offset, 4);
    storeU32(image.data() + offset, value);
}

PeHeaders readPeHeaders(const std::vector<uint8_t>& image)
{
    if (image.size() < 64 || image[0] != 'M' || image[1] != 'Z')
        refuse("no DOS header");
    PeHeaders h;
    h.peOffset = peLoadU32(image, kDosPeOffsetField);
    if (h.peOffset > image.size() || image.size() - h.peOffset < 24 + kMinOptionalSize)
        refuse("the PE header lies beyond the file");
    if (peLoadU32(image, h.peOffset) != 0x00004550u)
        refuse("no PE signature");
    h.sectionCount = peLoadU16(image, h.peOffset + kPeSectionCountField);
    h.optionalSize = peLoadU16(image, h.peOffset + kPeOptionalSizeField);
    if (h.optionalSize < kMinOptionalSize)
        refuse("optional header too small");
    uint16_t magic = peLoadU16(image, h.peOffset + kOptionalMagicField);
    if (magic != kPe32Magic && magic != kPe32PlusMagic)
        refuse("unknown optional header magic");
    h.pe32Plus = magic == kPe32PlusMagic;
    h.sizeOfInitializedData = peLoadU32(image, h.peOffset + kPeInitializedDataField);
    h.sectionAlignment = peLoadU32(image, h.peOffset + kSectionAlignmentField);
    h.fileAlignment = peLoadU32(image, h.peOffset + kFileAlignmentField);
    h.sizeOfImage = peLoadU32(image, h.peOffset + kPeImageSizeField);
    h.sizeOfHeaders = peLoadU32(image, h.peOffset + kSizeOfHeadersField);
    auto powerOfTwo = [](uint32_t v) { return v != 0 && (v & (v - 1)) == 0; };
    if (!powerOfTwo(h.fileAlignment) || !powerOfTwo(h.sectionAlignment) || h.sectionAlignment < h.fileAlignment)
        refuse("bad file or section alignment");
    h.tableOffset = h.peOffset + kPeSectionTableBase + h.optionalSize;
    if (h.sizeOfHeaders > image.size() || h.entryOffset(h.sectionCount) > h.sizeOfHeaders)
        refuse("the section table does not fit in the headers");
    for (int i = 0; i < h.sectionCount; ++i) {
        uint32_t at = h.entryOffset(i);
        PeSectionEntry e;
        for (int k = 0; k < kSectionNameSize && image[at + k] != 0; ++k)
            e.name.push_back(static_cast<char>(image[at + k]));
        e.virtualSize = peLoadU32(image, at + 8);
        e.virtualAddress = peLoadU32(image, at + kSectionVirtualAddressField);
        e.rawSize = peLoadU32(image, at + kSectionRawSizeField);
        e.rawOffset = peLoadU32(image, at + kSectionRawOffsetField);
        e.characteristics = peLoadU32(image, at + 36);
        h.sections.push_back(e);
    }
    return h;
}
