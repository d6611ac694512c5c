#pragma once
// One stored file's record in the file-data block, as the builder writes it and the engine
// reads it. The block holds the records of all files in the order of the header's size list;
// each record's fields follow one another without padding (integers little-endian, texts
// ended by a zero byte):
//
//   #   field               type
//   --  ------------------  -------------------------------------------------------------
//   1   name                text: file name in its destination directory; not empty (70)
//   2   kind                u32: FileDestinationKind below; other values refused       (110)
//   3   flags               u32: FileRecordFlag bits below
//   4   attributes          u32: file attributes to give the file; kKeepAttributes leaves them
//   5   data                the header's stored size of bytes                      (71, 72)
//   6   checksum            u32: archiveChecksum of the data                           (100)
//   7   time                kArchiveTimeSize bytes (ArchiveTime.h)
//   8   text                text: version (kinds 6-8), font title (4), shortcut title (0, 5)
//   9   shortcut icon       text, only with kFileDesktopShortcut or kFileStartMenuShortcut
//   10  shortcut arguments  text
//   11  destination         text: empty: the kind's directory; without a backslash: the
//                           name to store under; with one: a path of its own (path variables)
//
// (n) is the corrupt-installer code raised when the field breaks its rule.

#include <cstdint>

enum FileDestinationKind : uint32_t {
    kKindInstallDir = 0,          // the installation directory
    kKindSharedDir = 1,           // the shared-files directory (shared count kept)
    kKindFont = 4,                // the fonts folder, registered as a font
    kKindInstallDirStartup = 5,   // the installation directory, with a start-up shortcut
    kKindSystemDir = 6,           // the system directory (shared count, version rule)
    kKindSystemComServer = 7,     // the system directory, registered as a COM server
    kKindSystemTypeLibrary = 8,   // the system directory, registered as a type library
};

// Whether the engine accepts kind (0, 1 and 4 to 8).
constexpr bool isFileDestinationKind(uint32_t kind)
{
    return kind == 0 || kind == 1 || (kind >= 4 && kind <= 8);
}

enum FileRecordFlag : uint32_t {
    kFileDesktopShortcut = 0x1,
    kFileStartMenuShortcut = 0x2,
    kFileExistenceMask = 0xC,        // bits 2-3: existence mode, (flags & mask) >> shift
    kFileExistenceShift = 2,
    kFileLeaveAtUninstall = 0x20,    // no uninstall entry, no shared count
    kFileInUninstallDir = 0x40,      // placed in the uninstaller's subdirectory
};

constexpr uint32_t kKeepAttributes = 0xFFFFFFFFu;
// Attribute bits the engine sets from the record (others are kept): read-only, hidden,
// system, archive, temporary, offline.
constexpr uint32_t kSettableAttributes = 0x1127u;
