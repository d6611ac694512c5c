#pragma once
// The installation's second half: from the confirmed installation directory to the placed
// files, under the progress window.

#include "app/InstallationRun.h"

// Opens the progress window (the owner of every box from now on), gathers the file-data
// block, creates the uninstaller directory, carries out the deletion list and places the
// stored files; run.texts and run.extraction then hold what the later steps write and show.
// Every archive fault ends the run there.
void runInstallationActions(InstallationRun& run);

// The end of the installation as far as it is built: closes the progress window and shows
// the error text, when there is one, in an error box.
void finishInstallation(InstallationRun& run);
