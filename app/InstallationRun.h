#pragma once
// InstallationRun: what the installation sequence keeps besides the run state and the
// product settings, from the archive's location to the end of the run.

#include "archive/ArchiveLocation.h"
#include "core/String.h"

struct InstallationRun {
    ArchiveLocation archive;    // the open program file, the header, the settings block
    String uninstallerImage;    // the program without its archive section
    String existingLocation;    // an earlier installation's "InstallLocation", else empty
    String existingVersion;     // its "DisplayVersion", else empty
    String existingSharedFiles; // its "SharedFiles", else empty (written back at the end)
    bool existingFound = false; // existingLocation names an existing directory
    bool reinstall = false;     // installing into the existing installation's directory
};
