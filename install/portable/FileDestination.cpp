#include "install/portable/FileDestination.h"

#include "archive/format/FileRecord.h"
#include "platform/portable/PathText.h"

FileDestination fileDestination(const char* name, uint32_t kind, uint32_t flags,
                                const char* destinationField, const DestinationDirectories& dirs,
                                void (*expand)(String& text))
{
    FileDestination d;
    d.storedName = name;
    String field(destinationField);
    if (!field.IsEmpty() && !field.Contains('\\')) {
        d.storedName = field;
        field.Clear();
    }
    if (!field.IsEmpty()) {
        if (expand)
            expand(field);
        resolvePath(field, kind == kKindSharedDir ? dirs.shared : dirs.install);
        if (field.IsLast('\\'))
            field.Append(fileNamePart(d.storedName));
        d.path = field;
        d.createDirectory = true;
        return d;
    }
    if (flags & kFileInUninstallDir) {
        d.path = joinPath(dirs.uninstaller, d.storedName);
        return d;
    }
    switch (kind) {
    case kKindSharedDir:
        d.path = joinPath(dirs.shared, d.storedName);
        break;
    case kKindFont:
        d.path = joinPath(dirs.fonts, d.storedName);
        break;
    case kKindSystemDir:
    case kKindSystemComServer:
    case kKindSystemTypeLibrary:
        d.path = joinPath(dirs.system, d.storedName);
        break;
    default:
        d.path = joinPath(dirs.install, d.storedName);
        d.createDirectory = true;
        break;
    }
    return d;
}
