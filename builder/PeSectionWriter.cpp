#include "builder/PeSectionWriter.h"

#include "archive/format/ArchiveFormat.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr uint32_t kSectionCharacteristics = 0x40000040u;   // initialised data, readable

uint64_t alignUp(uint64_t value, uint32_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

} // namespace

PeSectionWriter::PeSectionWriter(std::vector<uint8_t> image)
    : image_(std::move(image)), headers_(readPeHeaders(image_))
{
}

std::vector<uint8_t> PeSectionWriter::addSection(const std::string& name, const std::vector<uint8_t>& data,
                                                 Placement* placement) const
{
    if (name.empty() || name.size() > static_cast<size_t>(kSectionNameSize))
        throw std::invalid_argument("section name must be 1 to 8 bytes: \"" + name + "\"");
    const PeHeaders& h = headers_;

    // The new entry must lie in the headers, ahead of every section's data, on zero bytes.
    uint32_t slot = h.entryOffset(h.sectionCount);
    uint64_t limit = h.sizeOfHeaders;
    for (const PeSectionEntry& s : h.sections)
        if (s.rawOffset != 0 && s.rawSize != 0)
            limit = std::min<uint64_t>(limit, s.rawOffset);
    bool room = slot + uint64_t(kSectionEntrySize) <= limit &&
                std::all_of(image_.begin() + slot, image_.begin() + slot + kSectionEntrySize,
                            [](uint8_t b) { return b == 0; });
    if (!room)
        throw std::runtime_error("the engine's headers have no room for one more section header (" +
                                 std::to_string(h.sectionCount) + " sections, headers end at " +
                                 std::to_string(limit) + ", the new entry would end at " +
                                 std::to_string(slot + kSectionEntrySize) +
                                 "); link the engine with larger headers");

    uint64_t imageEnd = h.sizeOfImage;
    for (const PeSectionEntry& s : h.sections)
        imageEnd = std::max<uint64_t>(imageEnd, uint64_t(s.virtualAddress) + std::max(s.virtualSize, s.rawSize));
    uint64_t virtualAddress = alignUp(imageEnd, h.sectionAlignment);
    uint64_t rawOffset = alignUp(image_.size(), h.fileAlignment);
    uint64_t rawSize = alignUp(std::max<size_t>(data.size(), 1), h.sectionAlignment);
    if (rawOffset + rawSize > 0xFFFFFFFFu || virtualAddress + rawSize > 0xFFFFFFFFu ||
        h.sizeOfInitializedData + rawSize > 0xFFFFFFFFu)
        throw std::runtime_error("the installer would pass 4 GiB");

    std::vector<uint8_t> out(image_);
    out.resize(rawOffset + rawSize, 0);
    std::copy(data.begin(), data.end(), out.begin() + rawOffset);

    std::copy(name.begin(), name.end(), out.begin() + slot);
    peStoreU32(out, slot + 8, static_cast<uint32_t>(rawSize));
    peStoreU32(out, slot + kSectionVirtualAddressField, static_cast<uint32_t>(virtualAddress));
    peStoreU32(out, slot + kSectionRawSizeField, static_cast<uint32_t>(rawSize));
    peStoreU32(out, slot + kSectionRawOffsetField, static_cast<uint32_t>(rawOffset));
    peStoreU32(out, slot + 36, kSectionCharacteristics);

    peStoreU16(out, h.peOffset + kPeSectionCountField, static_cast<uint16_t>(h.sectionCount + 1));
    peStoreU32(out, h.peOffset + kPeInitializedDataField, static_cast<uint32_t>(h.sizeOfInitializedData + rawSize));
    peStoreU32(out, h.peOffset + kPeImageSizeField, static_cast<uint32_t>(virtualAddress + rawSize));

    if (placement) {
        placement->index = h.sectionCount;
        placement->virtualAddress = static_cast<uint32_t>(virtualAddress);
        placement->rawOffset = static_cast<uint32_t>(rawOffset);
        placement->rawSize = static_cast<uint32_t>(rawSize);
    }
    return out;
}
