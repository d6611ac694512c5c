#include "archive/portable/ArchiveSection.h"

#include "archive/format/ArchiveFormat.h"

#include <cstring>

namespace {

bool readU16(PositionedReader& file, uint32_t offset, uint32_t& value)
{
    uint8_t b[2];
    if (!file.readAt(offset, b, 2))
        return false;
    value = b[0] | static_cast<uint32_t>(b[1]) << 8;
    return true;
}

} // namespace

int findArchiveSection(PositionedReader& file, ArchiveSection& section)
{
    uint32_t peOffset = 0;
    if (!readU16(file, kDosPeOffsetField, peOffset) || peOffset < kMinPeOffset || peOffset > kMaxPeOffset)
        return kCorruptPeOffset;
    uint32_t count = 0;
    if (!readU16(file, peOffset + kPeSectionCountField, count) || count < kMinSectionCount ||
        count > kMaxSectionCount)
        return kCorruptSectionCount;
    uint32_t optionalSize = 0;
    if (!readU16(file, peOffset + kPeOptionalSizeField, optionalSize))
        return kNoArchiveSection;   // no table to search

    const uint32_t table = peOffset + kPeSectionTableBase + optionalSize;
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t entry[kSectionEntrySize];
        if (!file.readAt(table + i * kSectionEntrySize, entry, kSectionEntrySize))
            return kNoArchiveSection;
        char name[kSectionNameSize + 1];
        std::memcpy(name, entry, kSectionNameSize);
        name[kSectionNameSize] = 0;
        if (std::strcmp(name, kArchiveSectionName) != 0)
            continue;
        ArchiveSection found;
        found.peOffset = peOffset;
        found.sectionCount = static_cast<int>(count);
        found.tableOffset = table;
        found.index = static_cast<int>(i);
        found.virtualSize = loadU32(entry + 8);
        found.virtualAddress = loadU32(entry + kSectionVirtualAddressField);
        found.rawSize = loadU32(entry + kSectionRawSizeField);
        found.rawOffset = loadU32(entry + kSectionRawOffsetField);
        if (found.rawOffset == 0)
            return kCorruptRawOffsetZero;
        section = found;
        return 0;
    }
    return kNoArchiveSection;
}
