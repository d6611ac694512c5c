#pragma once
// InstallerState: the process-wide run state, created zeroed at start and never released.

#include "archive/portable/ArchiveCursor.h"
#include "core/String.h"

#include <cstdint>

// The handle types of <windows.h> (STRICT), declared here so that this header needs no
// Windows header of its own.
struct HINSTANCE__;
struct HWND__;

struct InstallerState {
    HINSTANCE__* instance = nullptr; // the module instance given to the entry point
    bool automaticMode = false;      // no questions and no dialogs (/a or product flag bit 8)
    bool uninstallMode = false;      // /u given: uninstalling, not installing
    String installDir;               // target directory (/d:, the archive or the user)
    String productName;              // product name (/n:, else the archive)
    HWND__* mainWindow = nullptr;     // the full-screen background window, once created
    HWND__* progressDialog = nullptr; // the modeless progress dialog while it exists
    String applicationTitle;         // caption of the library's own error boxes
    uint64_t productFlags = 0;       // the archive's product options, bits 0..63
    int languageIndex = 0;           // the chosen language of the archive's table
    String windowTitle;              // the background window's title
    bool maximizedBackground = false;
    ArchiveCursor archiveCursor;     // the read position in the mapped archive

    // Whether product flag bit (0..63) is set; false for any other bit number.
    bool productFlag(int bit) const
    {
        return bit >= 0 && bit < 64 && ((productFlags >> bit) & 1u) != 0;
    }
};

// The state of this process.
InstallerState& installerState();

struct ProductSettings;
// The archive's settings, read once at the start of the installation.
ProductSettings& productSettings();
