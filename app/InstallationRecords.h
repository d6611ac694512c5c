#pragma once
// The records an installation leaves for its uninstaller: the background bitmap, the
// uninstaller program, the uninstall registry entry and Uninstall.DAT. Each failure goes into
// texts.errors; none stops the installation.

#include "core/String.h"
#include "install/FileWriter.h"
#include "install/portable/InstallTexts.h"

// With product flag bit 15 and a background bitmap: saves it as "Installer Background.BMP" in
// the uninstaller directory and enters the file in the uninstall list (when saved).
void saveUninstallerBackground(InstallTexts& texts);

// With product flag bit 2: writes the uninstaller program (image) into the uninstaller
// directory under the settings' file name, then the product's entry below the uninstall key
// of HKEY_LOCAL_MACHINE. existingSharedFiles is the earlier installation's "SharedFiles"
// (written back while this installation has no shared-file list of its own).
void writeUninstallerAndEntry(const String& image, const String& existingSharedFiles,
                              const FileWriteOptions& options, InstallTexts& texts);

// With product flag bit 2: writes Uninstall.DAT into the uninstaller directory.
void writeUninstallRecord(InstallTexts& texts);
