#pragma once
// Finding the installer's archive: the program's own file, its archive section, the header
// and the plain settings block; and the uninstaller image made from the same file.

#include "archive/ProgramFile.h"
#include "archive/portable/ArchiveHeader.h"
#include "archive/portable/ArchiveSection.h"
#include "core/String.h"

#include <cstdint>

struct ProductSettings;

struct ArchiveLocation {
    String path;              // the program's own file, as its command line names it
    ProgramFile file;         // open until the file data has been read
    ArchiveSection section;   // the archive section's entry
    ArchiveHeader header;     // with the stored sizes and dataOffset
    String settings;          // the settings block, unscrambled and decompressed
};

// Finds the program's own file from the command line and opens it; when that path cannot be
// opened, the module's own path (selfPath) is tried (both failing: the fatal "could not open
// itself" text with the command line's path), walks its PE headers to the ".quiv" section (the no-archive text
// when there is none; corrupt codes 43, 44, 9, 10), points installerState().archiveCursor at
// the section as the loader mapped it, bounded by its mapped size and the module's image
// (reads past that end: kCorruptOverrun), reads and checks the header (codes 20, 22, 45, 27,
// 29, 28; the version text for a newer archive) and copies, unscrambles and decompresses the
// settings block (47). The settings checksum (25) is checked by the caller, after it has read
// the product flags. Returns only on success, with location filled; else the run ends.
void locateArchive(ArchiveLocation& location);

// The uninstaller image: the program file without its archive section, with the headers
// adjusted and the settings' uninstaller patch applied (archive/portable/UninstallerImage.h);
// with product flag bit 32 the stub checksum is compared. Failures end the run with codes
// 35, 40 and 42. productFlags are the archive's.
String buildUninstallerImage(ArchiveLocation& location, const ProductSettings& settings, uint64_t productFlags);
