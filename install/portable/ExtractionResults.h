#pragma once
// What the extraction of the stored files leaves for the installation's later steps: the
// shared-file, COM-server, type-library and font lists and the shortcut records. The texts
// (install log, error text, uninstall list) go to InstallTexts instead.

#include "core/String.h"
#include "core/Vector.h"

#include <cstdint>

// A stored file that asks for a shortcut (kind 5, or kind 0 with a desktop or start-menu
// flag), as its record gave it.
struct ShortcutRecord {
    String storedName;   // the name the file was stored under
    String destination;  // the full path of the placed file
    String title;        // record text field
    String icon;         // relative to the uninstaller directory; empty without a shortcut flag
    String arguments;
    uint32_t kind = 0;
    uint32_t flags = 0;  // the record's flags (shortcut bits 0 and 1)
};

// A font file that was written.
struct InstalledFont {
    String title;        // the record's text field: the font's display name
    String storedName;   // the stored name as given (the file name without directory)
    String destination;  // the full path of the written file
    bool leaveAtUninstall = false; // record flag bit 5
};

// Byte that marks a type library in a shared-file entry.
constexpr char kSharedTypeLibraryMarker = static_cast<char>(0xA9);

struct ExtractionResults {
    // One entry per record of kind 1, 6, 7 or 8 (written or not), in record order: the
    // destination followed by at most one marker: ' ' leave at uninstall (kind 6 always,
    // 1, 7, 8 with record flag bit 5), '^' COM server, kSharedTypeLibraryMarker type library.
    Vector<String> sharedFiles;
    Vector<String> comServers;     // destinations of kind 7, in record order
    Vector<String> typeLibraries;  // destinations of kind 8, in record order
    Vector<InstalledFont> fonts;   // kind 4 files that were written
    Vector<ShortcutRecord> shortcuts;

    // Enters a record of kind with flags placed at destination into the shared-file list with
    // its marker, and into the COM-server or type-library list; nothing for other kinds.
    void addSharedFile(uint32_t kind, uint32_t flags, const String& destination);
};

// Whether a record of kind with flags makes a shortcut: kind 5 always, kind 0 with the
// desktop or start-menu flag.
bool makesShortcut(uint32_t kind, uint32_t flags);
