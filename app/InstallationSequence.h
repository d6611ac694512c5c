#pragma once
// The installation: from the archive in the program's own file to the end of the run.

#include "core/String.h"

// Installs the archive that the program carries, then runs runAfterProgram when it is given
// and the installation succeeded. Ends through the exit path; never returns. A program
// without an archive section ends with the fatal no-archive text.
[[noreturn]] void runInstallation(const String& runAfterProgram);
