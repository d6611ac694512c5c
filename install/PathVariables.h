#pragma once
// The path variables of this process: every "%InstallDir%" and the like in a path, shortcut
// field, association command or registry value from the archive is expanded here before use.
// The variables and their order are in install/portable/PathVariableSource.h.

#include "core/String.h"

class FolderLookup;

// The special folders on the system's registry keys and shell (made on first use).
FolderLookup& specialFolders();

// Expands every path variable in text, in place (expandPathVariables): the installation
// directory of the run state, the settings' shared path (%SharedDir%; the uninstaller puts
// the recorded one there), the program's own file, the temporary
// and Windows directories, and the folders, each looked up anew. A text without variables
// stays as it is.
void Expand(String& text);
// The same with the folders of folders (a test's, on scratch keys).
void Expand(String& text, FolderLookup& folders);
// The same with sharedDir as %SharedDir% (for settings that are not yet the process's).
void Expand(String& text, FolderLookup& folders, const String& sharedDir);
