#pragma once
// SystemFolderSource: the special folders' queries answered by this system: the registry
// (keys opened for reading only, never created), shell32's special-folder function, the
// environment, the system directory and the version record.

#include "install/portable/FolderSource.h"

class SystemFolderSource : public FolderSource {
public:
    // Empty for a missing key or value; a number value reads as its decimal text.
    String registryText(bool currentUser, const String& keyPath, const char* name) override;
    // shellSpecialFolder (install/ShellFunctions.h).
    String shellFolder(int csidl) override;
    // ExpandEnvironmentStringsA of "%SystemRoot%"; empty when it fails or the variable is
    // not set (the text comes back unexpanded).
    String systemRoot() override;
    // GetSystemDirectoryA into 260 bytes; empty when it gives nothing or needs more.
    String systemDirectory() override;
    // The version record's platform id is the NT family's.
    bool ntFamily() override;
    // The process's Windows directory (platform/ProcessPaths.h).
    String windowsDir() override;
};
