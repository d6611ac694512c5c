// Paths the system gives.
#include "platform/SystemPaths.h"

#include "platform/ProcessPaths.h"
#include "platform/Win32.h"
#include "platform/portable/PathText.h"

namespace {

constexpr DWORD kEnvironmentBufferSize = 32000;

bool isNtFamily()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

String shortPath(const String& path)
{
    DWORD size = static_cast<DWORD>(path.Length()) * 2;
    if (size < MAX_PATH)
        size = MAX_PATH;
    String result;
    result.SetLength(static_cast<int>(size));
    DWORD n = GetShortPathNameA(path.CStr(), result.Data(), size);
    if (n == 0 || n >= size)
        return path;
    result.SetLength(static_cast<int>(n));
    return result;
}

bool expandEnvironment(String& text)
{
    String expanded;
    expanded.SetLength(static_cast<int>(kEnvironmentBufferSize));
    DWORD n = ExpandEnvironmentStringsA(text.CStr(), expanded.Data(), kEnvironmentBufferSize);
    if (n == 0 || n > kEnvironmentBufferSize)
        return false;
    expanded.SetLength(static_cast<int>(n) - 1); // n counts the terminating NUL
    text = static_cast<String&&>(expanded);
    return true;
}

String systemDir()
{
    char buffer[MAX_PATH];
    UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return String(buffer, static_cast<int>(n));
    initPlatformPaths();
    return joinPath(windowsDir(), isNtFamily() ? "System32" : "System");
}

String tempFileName(const String& dir)
{
    initPlatformPaths();
    char buffer[MAX_PATH];
    const String& where = dir.IsEmpty() ? tempDir() : dir;
    if (!GetTempFileNameA(where.CStr(), "QVT", 0, buffer))
        return String();
    return String(buffer);
}

String currentDirectory()
{
    DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size == 0)
        return String();
    String dir;
    dir.SetLength(static_cast<int>(size));
    DWORD n = GetCurrentDirectoryA(size, dir.Data());
    if (n == 0 || n >= size)
        return String();
    dir.SetLength(static_cast<int>(n));
    return dir;
}

String selfDirJoin(const String& name)
{
    initPlatformPaths();
    return joinPath(selfDir(), name);
}
