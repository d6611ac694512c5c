#include "install/portable/ExtractionResults.h"

#include "archive/format/FileRecord.h"

void ExtractionResults::addSharedFile(uint32_t kind, uint32_t flags, const String& destination)
{
    char marker = 0;
    switch (kind) {
    case kKindSharedDir:
        break;
    case kKindSystemDir:
        marker = ' ';
        break;
    case kKindSystemComServer:
        comServers.Append(destination);
        marker = '^';
        break;
    case kKindSystemTypeLibrary:
        typeLibraries.Append(destination);
        marker = kSharedTypeLibraryMarker;
        break;
    default:
        return;
    }
    if (flags & kFileLeaveAtUninstall)
        marker = ' ';
    String entry = destination;
    if (marker)
        entry.Append(marker);
    sharedFiles.Append(entry);
}

bool makesShortcut(uint32_t kind, uint32_t flags)
{
    return kind == kKindInstallDirStartup ||
           (kind == kKindInstallDir && (flags & (kFileDesktopShortcut | kFileStartMenuShortcut)));
}
