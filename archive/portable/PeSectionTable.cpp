// Walking the PE headers of the program's own file to a named section.
#include "archive/portable/PeSectionTable.h"

#include "archive/format/ArchiveFormat.h"

#include <cstring>

namespace {

bool readU16(const unsigned char* head, int size, long offset, uint32_t& value)
{
    if (offset < 0 || offset + 2 > size)
        return false;
    value = head[offset] | (static_cast<uint32_t>(head[offset + 1]) << 8);
    return true;
}

} // namespace

PeLookup findPeSection(const unsigned char* head, int size, const char* name, PeSection& out)
{
    uint32_t peOffset = 0;
    if (!readU16(head, size, kDosPeOffsetField, peOffset) || peOffset < kMinPeOffset ||
        peOffset > kMaxPeOffset)
        return PeLookup::badHeaderOffset;
    uint32_t count = 0;
    if (!readU16(head, size, peOffset + kPeSectionCountField, count) || count < kMinSectionCount ||
        count > kMaxSectionCount)
        return PeLookup::badSectionCount;
    uint32_t optionalSize = 0;
    if (!readU16(head, size, peOffset + kPeOptionalSizeField, optionalSize))
        return PeLookup::missing;

    const size_t nameLength = std::strlen(name);
    if (nameLength > kSectionNameSize)
        return PeLookup::missing;
    const long table = static_cast<long>(peOffset) + kPeSectionTableBase + optionalSize;
    for (uint32_t i = 0; i < count; ++i) {
        const long entry = table + static_cast<long>(kSectionEntrySize) * i;
        if (entry + kSectionEntrySize > size)
            break;
        // The 8 name bytes read as a NUL-terminated text must equal name.
        const unsigned char* entryName = head + entry;
        if (std::memcmp(entryName, name, nameLength) != 0 ||
            (nameLength < kSectionNameSize && entryName[nameLength] != 0))
            continue;
        out.virtualAddress = loadU32(head + entry + kSectionVirtualAddressField);
        out.rawSize = loadU32(head + entry + kSectionRawSizeField);
        out.rawOffset = loadU32(head + entry + kSectionRawOffsetField);
        return PeLookup::found;
    }
    return PeLookup::missing;
}
