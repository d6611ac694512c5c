// The process's platform values, asked from the system once.
#include "platform/ProcessPaths.h"

#include "platform/Win32.h"
#include "platform/portable/PathText.h"
#include "platform/portable/ProcessPathRules.h"

namespace {

struct PlatformPaths {
    bool ready = false;
    String windowsDir;
    String selfPath;
    String selfName;
    String selfDir;
    char selfDrive = 0;
    String comSpec;
    String tempDir;
};

PlatformPaths values;

PlatformPaths& paths()
{
    return values;
}

String windowsDirectory()
{
    char buffer[MAX_PATH + 1];
    UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? String(buffer, static_cast<int>(n)) : String();
}

// The own module's path; the buffer grows until the path fits (long paths).
String modulePath()
{
    String path;
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        path.SetLength(static_cast<int>(size));
        DWORD n = GetModuleFileNameA(nullptr, path.Data(), size);
        if (n == 0) {
            path.Clear();
            break;
        }
        if (n < size) {
            path.SetLength(static_cast<int>(n));
            break;
        }
    }
    return path;
}

// "%comspec%" expanded; empty when the expansion fails.
String expandedComSpec()
{
    char buffer[1024];
    DWORD n = ExpandEnvironmentStringsA("%comspec%", buffer, sizeof buffer);
    if (n == 0 || n > sizeof buffer)
        return String();
    String text(buffer, static_cast<int>(n) - 1); // n counts the terminating NUL
    // An unset variable is left as it was written: that is no interpreter.
    if (text.Length() == 9 && buffer[0] == '%' && buffer[8] == '%')
        return String();
    return text;
}

// GetTempPathA, asked first for the length; empty when it gives nothing.
String systemTempPath()
{
    DWORD size = GetTempPathA(0, nullptr);
    if (size == 0)
        return String();
    String path;
    path.SetLength(static_cast<int>(size));
    DWORD n = GetTempPathA(size, path.Data());
    if (n == 0 || n >= size)
        return String();
    path.SetLength(static_cast<int>(n));
    return path;
}

} // namespace

void initPlatformPaths()
{
    PlatformPaths& p = paths();
    if (p.ready)
        return;
    p.ready = true;
    p.windowsDir = windowsDirectory();
    p.selfPath = modulePath();
    p.selfName = fileNamePart(p.selfPath);
    p.selfDir = parentDirectory(p.selfPath);
    p.selfDrive = driveLetter(p.selfPath);
    p.comSpec = comSpecFrom(expandedComSpec(), p.windowsDir);
    p.tempDir = tempDirFrom(systemTempPath());
}

const String& windowsDir() { return paths().windowsDir; }
const String& selfPath() { return paths().selfPath; }
const String& selfName() { return paths().selfName; }
const String& selfDir() { return paths().selfDir; }
char selfDrive() { return paths().selfDrive; }
const String& comSpec() { return paths().comSpec; }
const String& tempDir() { return paths().tempDir; }
