#include "install/FileOperations.h"

#include "install/portable/RenameSection.h"
#include "platform/Directories.h"
#include "platform/FileAttributes.h"
#include "platform/LastError.h"
#include "platform/ProcessPaths.h"
#include "platform/SystemPaths.h"
#include "platform/WholeFile.h"
#include "platform/Win32.h"
#include "platform/portable/PathText.h"

namespace {

using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

constexpr DWORD kMoveExReplaceCopyDelay = 7; // replace existing, copy allowed, at reboot
constexpr DWORD kMoveExDelay = 4;            // at reboot

bool isNtFamily()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// MoveFileExA of kernel32.dll, looked up once; null where the system lacks it.
MoveFileExFunction moveFileEx()
{
    static bool looked = false;
    static MoveFileExFunction function = nullptr;
    if (!looked) {
        looked = true;
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        if (kernel)
            function = reinterpret_cast<MoveFileExFunction>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "MoveFileExA")));
    }
    return function;
}

bool hasWininitProcessor()
{
    return fileExists(joinPath(windowsDir(), "wininit.exe"));
}

// The restart-time move (newName null: deletion) through MoveFileExA on the NT family; false
// when the caller must fall back to wininit.ini, which is allowed when fallback is set.
bool moveAtRestartNt(const String& path, const char* newName, DWORD flags, bool& fallback)
{
    fallback = true;
    if (!isNtFamily())
        return false;
    MoveFileExFunction function = moveFileEx();
    if (function && function(path.CStr(), newName, flags))
        return true;
    fallback = hasWininitProcessor();
    return false;
}

bool pathExists(const String& path)
{
    return getAttributes(path.CStr()) != -1;
}

} // namespace

bool addWininitRename(const String& name, const String& value)
{
    String path = joinPath(windowsDir(), "wininit.ini");
    String text;
    int code = readWholeFile(path, text);
    if (code != 0 && pathExists(path))
        return false;
    if (!addRenameEntry(text, name.CStr(), value.CStr()))
        return false;
    return writeWholeFile(path, text);
}

bool DeleteFile(const String& path, unsigned options)
{
    if (!(options & kDeleteKeepReadOnly))
        setReadOnly(path.CStr(), false);
    if (!(options & kDeleteAtRestartOnly)) {
        if (DeleteFileA(path.CStr()))
            return true;
        if (!(options & kDeleteScheduleOnFailure))
            return false;
        setReadOnly(path.CStr(), false);
    }
    bool fallback = true;
    if (moveAtRestartNt(path, nullptr, kMoveExDelay, fallback))
        return true;
    if (!fallback)
        return false;
    return addWininitRename("NUL", shortPath(path));
}

bool MovePath(const String& source, const String& target, unsigned options)
{
    if (source.IsEmpty() || target.IsEmpty()) {
        setInvalidParameterError();
        return false;
    }
    if (!pathExists(source))
        return false;
    if (source.Equals(target))
        return true;
    if (source.Compare(target.CStr(), false) != 0) {
        bool exists = pathExists(target);
        if ((options & kMoveReplaceOnly) && !exists)
            return false;
        if ((options & kMoveNoReplace) && !(options & kMoveReplaceOnly) && exists)
            return false;
        if (exists)
            DeleteFile(target, 0);
    }
    if (options & kMoveCreateDir)
        createDirectoryPath(parentDirectory(target));
    if (!(options & kMoveAtRestart))
        return MoveFileA(source.CStr(), target.CStr()) != FALSE;
    bool fallback = true;
    if (moveAtRestartNt(source, target.CStr(), kMoveExReplaceCopyDelay, fallback))
        return true;
    if (!fallback)
        return false;
    return addWininitRename(shortPath(target), shortPath(source));
}

String fileVersionText(const String& path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.CStr(), &handle);
    if (size == 0)
        return String();
    String block;
    if (!block.TrySetLength(static_cast<int>(size)))
        return String();
    if (!GetFileVersionInfoA(path.CStr(), 0, size, block.Data()))
        return String();
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.Data(), "\\StringFileInfo\\040904E4\\FileVersion",
                        reinterpret_cast<void**>(&value), &length) ||
        !value || length == 0)
        return String();
    return String(value);
}
