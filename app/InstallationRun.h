#pragma once
// InstallationRun: what the installation sequence keeps besides the run state and the
// product settings, from the archive's location to the end of the run.

#include "archive/ArchiveLocation.h"
#include "archive/DataBlockGathering.h"
#include "core/String.h"
#include "install/FileExtraction.h"
#include "install/portable/ExtractionResults.h"
#include "install/portable/InstallTexts.h"

struct InstallationRun {
    ArchiveLocation archive;    // the open program file, the header, the settings block
    String uninstallerImage;    // the program without its archive section
    String existingLocation;    // an earlier installation's "InstallLocation", else empty
    String existingVersion;     // its "DisplayVersion", else empty
    String existingSharedFiles; // its "SharedFiles", else empty (written back at the end)
    bool existingFound = false; // existingLocation names an existing directory
    bool reinstall = false;     // installing into the existing installation's directory
    DataBlock dataBlock;        // the gathered file-data block
    ExtractionSetup setup;      // directories, flags and writer options of the placed files
    InstallTexts texts;         // install log, error text, uninstall list, associations
    ExtractionResults extraction; // the lists and shortcut records of the placed files
};
