#pragma once
// PathValues: the value of every path variable, from the run's directories and the special
// folders, which are looked up again whenever a value is asked for.

#include "core/String.h"
#include "install/portable/PathVariableSource.h"

class FolderLookup;

class PathValues : public PathVariableSource {
public:
    // The folders must outlive this object.
    explicit PathValues(FolderLookup& folders) : folders_(folders) {}

    String installDir;      // the installation directory of this run
    String sharedDir;       // the shared-files directory of this installation
    String installerPath;   // the running program's own file
    String installerDir;    // its directory (no trailing backslash but at a root)
    String installerName;   // its file name
    String tempDir;         // the temporary directory
    String windowsDir;      // the Windows directory

    // %BootDrive% and %InstallDrive% give a letter and ':', %InstallerDrive% the bare letter;
    // the two drives of a path without a drive letter (a network path) are empty. Every
    // other variable gives its directory or folder. Empty outside the table.
    String value(int variable) override;

private:
    FolderLookup& folders_;
};
