#pragma once
// The path variables ("%InstallDir%" and the like) and their expansion. The table's order is
// the order in which Expand replaces them: a value that holds the name of a later variable is
// replaced again by that later pass, never by an earlier one.

#include "core/String.h"

enum PathVariable : int {
    kVarBootDrive,
    kVarCommonDir,
    kVarInstallDir,
    kVarInstallDrive,
    kVarProgramsDir,
    kVarSharedDir,
    kVarSystemDir,
    kVarInstallerDir,
    kVarInstallerDrive,
    kVarInstallerFilename,
    kVarInstallerFilepath,
    kVarDeviceDir,
    kVarMediaDir,
    kVarFavoritesDir,
    kVarFavoritesAllDir,
    kVarFontDir,
    kVarDesktopDir,
    kVarDesktopAllDir,
    kVarDocumentDir,
    kVarDocumentAllDir,
    kVarStartMenuDir,
    kVarStartMenuAllDir,
    kVarSMProgramsDir,
    kVarSMProgramsAllDir,
    kVarStartupDir,
    kVarStartupAllDir,
    kVarTemp,
    kVarWinDir,
    kPathVariableCount
};

// The variable's name with its percent signs ("%InstallDir%"); null outside the table.
const char* pathVariableName(int variable);

// Supplies the value of each variable when an expansion needs it.
class PathVariableSource {
public:
    virtual ~PathVariableSource() {}
    // The value of variable (one of PathVariable), asked anew for every expansion.
    virtual String value(int variable) = 0;
};

// In table order, replaces every occurrence of each variable in text, letter case ignored,
// by source.value(variable), inserted unchanged; text inserted for a variable is not scanned
// again for that variable. A variable that does not occur is not asked for. Other names
// between percent signs stay.
void expandPathVariables(String& text, PathVariableSource& source);

// The value of %InstallDrive% for the directory path: its first byte in upper case and ':'
// when path begins with a letter and ':'; empty otherwise (a network path, say).
String driveWithColon(const String& path);
