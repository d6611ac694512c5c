#pragma once
// The steps of the installation between the loaded archive and the confirmed installation
// directory. Each refusal or cancellation ends the run through exitProgram.

#include "app/InstallationRun.h"
#include "core/String.h"

// Whether the product's uninstall key (below HKLM "Software\Microsoft\Windows\CurrentVersion
// \Uninstall") opens read-only and has "UninstallString" or "QuietUninstallString". When
// location is given it becomes the key's "InstallLocation" (empty when missing) for an
// installed product, and is emptied otherwise.
bool isProductInstalled(const String& uninstallKeyName, String* location = nullptr);

// Language, excluded system, master product, existing installation, welcome question,
// licence and read-me pages, then the installation directory (the reinstall question, the
// directory loop or the default directory). On return installDir is the confirmed directory.
void runFirstSteps(InstallationRun& run);
