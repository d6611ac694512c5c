#pragma once
// The path variables of this process: every "%InstallDir%" and the like in a path, shortcut
// field, association command or registry value from the archive is expanded here before use.
// The variables and their order are in install/portable/PathVariableSource.h.

#include "core/String.h"

class SpecialFolders;

// The special folders on the system's registry keys and shell (made on first use).
SpecialFolders& specialFolders();

// The shared-files directory of this installation, the value of %SharedDir%: the anchored
// shared path of the settings while installing, the recorded one while uninstalling. Empty
// until set.
void setSharedDirectory(const String& path);
const String& sharedDirectory();

// Expands every path variable in text, in place (expandPathVariables): the installation
// directory of the run state, the shared directory, the program's own file, the temporary
// and Windows directories, and the folders, each looked up anew. A text without variables
// stays as it is.
void Expand(String& text);
// The same with the folders of folders (a test's, on scratch keys).
void Expand(String& text, SpecialFolders& folders);
