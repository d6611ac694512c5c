// Finding the archive section in the program's own file.
#include "archive/OwnArchiveSection.h"

#include "app/ErrorBox.h"
#include "archive/format/ArchiveFormat.h"
#include "core/Fatal.h"
#include "core/String.h"
#include "platform/Handle.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"

namespace {

// Enough for the PE header at its furthest (4096), the largest optional header and 99
// section table entries.
constexpr DWORD kHeadSize = kMaxPeOffset + kPeSectionTableBase + 0xFFFF + kMaxSectionCount * kSectionEntrySize;

} // namespace

bool findOwnArchiveSection(PeSection& out)
{
    Handle file(CreateFileA(selfPath().CStr(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        fatalErrorf("Error code 1: The self-extracting archive could not open itself.  Filename:\n%s",
                    selfPath().CStr());

    String head;
    head.SetLength(static_cast<int>(kHeadSize));
    DWORD got = 0;
    if (!ReadFile(file.get(), head.Data(), kHeadSize, &got, nullptr))
        got = 0;

    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(head.Data());
    switch (findPeSection(bytes, static_cast<int>(got), kArchiveSectionName, out)) {
    case PeLookup::found:
        return true;
    case PeLookup::missing:
        return false;
    case PeLookup::badHeaderOffset:
        corruptInstaller(kCorruptPeOffset);
    case PeLookup::badSectionCount:
        corruptInstaller(kCorruptSectionCount);
    }
    return false;
}
