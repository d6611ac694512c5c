// Walking the PE headers of the program's own file to a named section.
#include "archive/portable/PeSectionTable.h"

#include <cstring>

namespace {

bool readU16(const unsigned char* head, int size, long offset, uint32_t& value)
{
    if (offset < 0 || offset + 2 > size)
        return false;
    value = head[offset] | (static_cast<uint32_t>(head[offset + 1]) << 8);
    return true;
}

uint32_t u32At(const unsigned char* p)
{
    return p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

} // namespace

PeLookup findPeSection(const unsigned char* head, int size, const char* name, PeSection& out)
{
    uint32_t peOffset = 0;
    if (!readU16(head, size, 0x3C, peOffset) || peOffset < 64 || peOffset > 4096)
        return PeLookup::badHeaderOffset;
    uint32_t count = 0;
    if (!readU16(head, size, peOffset + 6, count) || count < 4 || count > 99)
        return PeLookup::badSectionCount;
    uint32_t optionalSize = 0;
    if (!readU16(head, size, peOffset + 20, optionalSize))
        return PeLookup::missing;

    const size_t nameLength = std::strlen(name);
    if (nameLength > 8)
        return PeLookup::missing;
    const long table = static_cast<long>(peOffset) + 24 + optionalSize;
    for (uint32_t i = 0; i < count; ++i) {
        const long entry = table + 40L * i;
        if (entry + 40 > size)
            break;
        // The 8 name bytes read as a NUL-terminated text must equal name.
        const unsigned char* entryName = head + entry;
        if (std::memcmp(entryName, name, nameLength) != 0 || (nameLength < 8 && entryName[nameLength] != 0))
            continue;
        out.virtualAddress = u32At(head + entry + 12);
        out.rawSize = u32At(head + entry + 16);
        out.rawOffset = u32At(head + entry + 20);
        return PeLookup::found;
    }
    return PeLookup::missing;
}
