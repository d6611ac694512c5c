#pragma once
// SettingsReader: reads the decompressed settings block into ProductSettings and the
// language table, with every range check of the format and the derived values that need no
// Windows (see ProductSettings.h for which those are).
//
// What is left for the Windows side once read() has succeeded (it needs special folders or
// the file system): with kFlagUninstallSupport, anchor sharedPath on the Common Files folder
// (anchorPath) and create it with its parents; expand the path variables of
// defaultDirectory and, unless it is "<master>" (any case), anchor it on the Program Files
// folder.

#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "core/String.h"

#include <cstdint>

class SettingsReader {
public:
    // Replaces "<os>" (any case) in the default directory.
    String windowsDir;
    // Size of the program file: the largest accepted uninstaller patch offset.
    int64_t programFileSize = 0;

    // Reads the block of length bytes at data (null counts as empty) from its first byte
    // (the product flags) to its end marker. productName is the run's product name: when
    // empty on entry it becomes the block's; the derived values use it. The language table
    // is replaced by the block's and its index set to the last language named exactly
    // "English", else 0.
    //
    // A block that ends early reads as zero bytes from there on, so the next range check
    // decides. Returns 0 when the block is sound, else the corrupt-installer code of the
    // first broken rule (archive/format/ArchiveFormat.h: kCorrupt*); on failure the outputs
    // hold what was read before the broken field.
    int read(const char* data, int length, String& productName, ProductSettings& settings,
             Language& languages) const;
};

// The product flags at the start of a settings block of length bytes (missing bytes count as
// zero); read before the block's checksum is verified.
uint64_t readProductFlags(const char* data, int length);

// The text is empty or holds only spaces, carriage returns, line feeds and tabs.
bool isBlankText(const String& text);

// Anchors path on the absolute folder base: surrounding blanks of path are removed; then an
// empty path, or a base that is not absolute ("X:\..." or "\\..."), leaves it so. An absolute
// path ("\\..." or "X:\...") stays; "\rest" gets the base's drive in front ("X:", or
// "\\server\share" for a network base); "X:name" gets the base's folder without its drive
// after the colon ("X:\folder\name"); any other
// path becomes base + "\" + path (no doubled backslash when base ends with one).
void anchorPath(String& path, const String& base);
