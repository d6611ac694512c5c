#pragma once
// The uninstaller image: the program's own file without its archive section.

#include "archive/portable/ArchiveSection.h"
#include "archive/portable/PositionedReader.h"
#include "core/String.h"

#include <cstdint>

// What makeUninstallerImage needs beyond the file.
struct UninstallerImageInput {
    uint32_t fileSize = 0;         // the program file's size
    ArchiveSection section;        // where the archive section is
    bool checkStub = false;        // product flag bit 32: compare the stub checksum
    uint32_t stubChecksum = 0;     // the header's
    uint32_t patchOffset = 0;      // the settings' uninstaller patch; 0: none
    const String* patch = nullptr; // its bytes
};

// Builds image from file: the bytes before the archive section's data (kCorruptStubRead when
// they cannot be read), their checksum compared with stubChecksum when checkStub is set
// (kCorruptStubChecksum), then the bytes behind the section's data up to fileSize
// (kCorruptTrailerRead when they cannot be read). In the image's headers the section count
// drops by one, SizeOfInitializedData and SizeOfImage by the section's raw size; the entries
// behind the archive's move one slot down, those whose data lay behind the archive's with
// their raw-data offsets lowered by its raw size, and the freed last slot is zeroed. Last,
// the patch is copied over the image at patchOffset when patchOffset > 0 and it ends within
// the image. Returns 0 or the corrupt code; image holds the result only on success.
int makeUninstallerImage(PositionedReader& file, const UninstallerImageInput& input, String& image);
