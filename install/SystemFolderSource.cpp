#include "install/SystemFolderSource.h"

#include "install/RunningSystem.h"
#include "install/ShellFunctions.h"
#include "platform/ProcessPaths.h"
#include "platform/RegistryKey.h"
#include "platform/Win32.h"

String SystemFolderSource::registryText(bool currentUser, const String& keyPath, const char* name)
{
    RegistryKey key;
    HKEY root = currentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    if (key.open(root, keyPath.CStr(), RegistryKey::openOnly) == RegistryKey::openFailed)
        return String();
    return key.getString(name, String());
}

String SystemFolderSource::shellFolder(int csidl)
{
    return shellSpecialFolder(csidl);
}

String SystemFolderSource::systemRoot()
{
    static const char kName[] = "%SystemRoot%";
    char buffer[MAX_PATH + 1];
    DWORD n = ExpandEnvironmentStringsA(kName, buffer, sizeof buffer);
    if (n < 2 || n > sizeof buffer) // n counts the terminating NUL
        return String();
    String root(buffer, static_cast<int>(n) - 1);
    return root.Compare(kName, false) == 0 ? String() : root;
}

String SystemFolderSource::systemDirectory()
{
    char buffer[MAX_PATH];
    UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? String(buffer, static_cast<int>(n)) : String();
}

bool SystemFolderSource::ntFamily()
{
    return runningSystemVersion().platformId == SystemVersion::windowsNt;
}

String SystemFolderSource::windowsDir()
{
    initPlatformPaths();
    return ::windowsDir();
}
