#pragma once
// The installation's second half: from the confirmed installation directory to the placed
// files, under the progress window.

#include "app/InstallationRun.h"

// Opens the progress window (the owner of every box from now on), gathers the file-data
// block, creates the uninstaller directory, carries out the deletion list and places the
// stored files; run.texts and run.extraction then hold what the later steps write and show.
// Every archive fault ends the run there.
void runInstallationActions(InstallationRun& run);

// The end of the installation: the uninstaller background, the uninstaller program and the
// uninstall registry entry, status text 36 at 100 %, Uninstall.DAT, the last step's minimum
// time, then the progress window is closed and the final report (the question that offers
// Install.LOG after errors, else the completion message) is given and the log written.
void finishInstallation(InstallationRun& run);
