#pragma once
// The installation: from the archive in the program's own file to the end of the run.

#include "app/InstallationRun.h"
#include "core/String.h"

// Installs the archive that the program carries, then runs runAfterProgram when it is given
// and the installation succeeded. Ends through the exit path; never returns. A program
// without an archive section ends with the fatal no-archive text.
[[noreturn]] void runInstallation(const String& runAfterProgram);

// The sequence's first steps: locates the archive and opens its settings block, takes the
// product flags into the run state (bit 8 sets automaticMode, bit 40 maximizedBackground),
// checks the settings checksum (code 25), reads the settings into productSettings() and the
// language table, and builds run.uninstallerImage. Every fault ends the run there; on return
// run holds the archive and the image.
void loadInstallerArchive(InstallationRun& run);
