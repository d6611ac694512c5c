#pragma once
// UninstallEntry: the values of the product's entry below the system's uninstall key, in the
// order they are written, built from what the installation knows at its end. The Windows
// writer is install/UninstallRegistry.h; the uninstaller reads these values back.

#include "archive/portable/UninstallData.h"
#include "core/Array.h"
#include "core/String.h"
#include "core/Vector.h"

#include <cstdint>

// The uninstall key, below HKEY_LOCAL_MACHINE; the product's key name follows (inline: one
// copy in the program, not one per file that uses it).
inline constexpr char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// One value to write (or delete) under the key.
struct UninstallValue {
    enum Action : uint8_t {
        kText,        // REG_SZ, written also when empty
        kTextOrDrop,  // REG_SZ; deleted when the text is empty
        kExpandOrDrop, // REG_EXPAND_SZ; deleted when the text is empty
        kNumber,      // REG_DWORD
        kNumberOrDrop, // REG_DWORD; deleted when 0
        kDelete,      // deleted
    };
    String name;
    Action action = kText;
    String text;
    uint32_t number = 0;
};

// What the entry is built from.
struct UninstallEntryFacts {
    String keyName;            // the uninstall key name (settings; the product name when blank)
    String uninstallerPath;    // join(uninstaller directory, uninstaller file name)
    String productName;
    String installerPath;      // the running installer file
    String displayVersion;
    String publisher;
    String productRegistry;
    String productStartMenu;
    String sharedPath;
    String productFonts;       // the installed fonts' list
    uint64_t productFlags = 0;
    String uninstallBatch1;
    String uninstallBatch2;
    String sharedFiles;        // the shared-file list
    String uninstallSubdir;
    bool allUsersShortcuts = false;
    String displayTitle;       // the background window's title
    uint32_t titleColor = 0;
    uint32_t topColor = 0;
    uint32_t bottomColor = 0;
    bool monoColor = false;
    uint8_t titleShadow = 0;
    uint32_t bitmapSize = 0;
    const Array<UninstallData>* records = nullptr; // the product's extra values; none when null
    void (*expand)(String&) = nullptr;             // path variables of the records' texts
    String installLocation;
    String installDate;        // the date and time text of the installation
};

// The values in writing order: UninstallString, QuietUninstallString, DisplayName,
// InstallSource, DisplayVersion, Publisher, VersionMajor and VersionMinor (numbers of the
// version's leading digits and of those after its first "."; deleted when the version has no
// "."), ProductRegistry, ProductStartMenu, SharedPath, ProductFonts, ProductFlags (decimal),
// UninstallBatch1, UninstallBatch2, SharedFiles, UninstallSubdir, ShortcutMode (1 for all
// users, else deleted), DisplayTitle, TitleColor, TopColor, BottomColor (deleted when
// single-coloured), MonoColor, TitleShadow, BitmapSize, the records (type 2 expandable, 4 a
// number, others text; expanded texts), InstallLocation, InstallDate.
Vector<UninstallValue> uninstallEntryValues(const UninstallEntryFacts& facts);

// UninstallString: the path, " /u:\"", the key name and "\""; QuietUninstallString (quiet)
// has " /a " in place of the first blank.
String uninstallCommand(const String& uninstallerPath, const String& keyName, bool quiet);
