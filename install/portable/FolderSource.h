#pragma once
// FolderSource: the system queries behind the special folders (install/portable/FolderLookup.h).
// Each answers anew on every call; none fails visibly: what cannot be found is empty.

#include "core/String.h"

class FolderSource {
public:
    virtual ~FolderSource() {}
    // The text value name of the key keyPath below HKEY_CURRENT_USER (currentUser) or
    // HKEY_LOCAL_MACHINE; empty when the key or the value is missing or is not a text.
    virtual String registryText(bool currentUser, const String& keyPath, const char* name) = 0;
    // The shell's folder number csidl; empty when the shell function is absent or fails.
    virtual String shellFolder(int csidl) = 0;
    // The environment string "%SystemRoot%" expanded; empty when that fails.
    virtual String systemRoot() = 0;
    // The system's own system directory; empty when it gives none.
    virtual String systemDirectory() = 0;
    // Whether the running system is of the NT family.
    virtual bool ntFamily() = 0;
    // The Windows directory.
    virtual String windowsDir() = 0;
};
