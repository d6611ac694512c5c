// Directory tests, creation, removal and listing.
#include "platform/Directories.h"

#include "platform/FindFile.h"
#include "platform/ProcessPaths.h"
#include "platform/SystemPaths.h"
#include "platform/Win32.h"
#include "platform/portable/PathText.h"

namespace {

bool isDotEntry(const String& name)
{
    return name.Equals(".") || name.Equals("..");
}

// The full, canonical form of path (".", ".." and doubled separators resolved), without
// trailing backslashes; empty when the system cannot make one.
String fullPathWithoutTrailingBackslashes(const String& path)
{
    char buffer[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path.CStr(), sizeof buffer, buffer, nullptr);
    if (n == 0 || n >= sizeof buffer)
        return String();
    while (n > 0 && buffer[n - 1] == '\\')
        --n;
    return String(buffer, static_cast<int>(n));
}

// "C:" or "\\server\share" (or less): the root of a drive or a network share.
bool isRoot(const String& full)
{
    const char* p = full.CStr();
    if (full.Length() <= 2)
        return true;
    if (p[0] != '\\' || p[1] != '\\')
        return false;
    int separators = 0;
    for (int i = 2; i < full.Length(); ++i)
        if (p[i] == '\\')
            ++separators;
    return separators <= 1;
}

// Whether full (canonical, no trailing backslash) is the Windows directory or holds it.
bool holdsWindowsDirectory(const String& full)
{
    String windows = fullPathWithoutTrailingBackslashes(windowsDir());
    if (windows.IsEmpty())
        return false;
    if (sameDirectory(full, windows))
        return true;
    return windows.Length() > full.Length() && windows.CharAt(full.Length()) == '\\' &&
           windows.Compare(full.CStr(), false, full.Length()) == 0;
}

// Deletes one file now, its read-only attribute cleared first; false with the last error set.
bool deleteFileNow(const String& path, uint32_t attributes)
{
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.CStr(), attributes & ~static_cast<uint32_t>(FILE_ATTRIBUTE_READONLY));
    return DeleteFileA(path.CStr()) != 0;
}

// Removes one entry of a tree walk; false with the last error set.
bool deleteEntry(const String& path, uint32_t attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return deleteFileNow(path, attributes);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link to a directory elsewhere: only the link goes.
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.CStr(), attributes & ~static_cast<uint32_t>(FILE_ATTRIBUTE_READONLY));
        return RemoveDirectoryA(path.CStr()) != 0;
    }
    return deleteTree(path);
}

} // namespace

bool directoryExists(const String& path)
{
    if (path.IsEmpty())
        return false;
    String current = currentDirectory();
    if (!SetCurrentDirectoryA(path.CStr()))
        return false;
    SetCurrentDirectoryA(current.CStr());
    return true;
}

bool createDirectoryPath(const String& path)
{
    if (path.IsEmpty())
        return false;
    const String parent = parentDirectory(path);
    if (parent.Equals(path))
        return true;
    // Creating first and looking only on failure spares the usual case, a new level below an
    // existing one, the tests of every level (each a search through its parent's entries).
    if (CreateDirectoryA(path.CStr(), nullptr))
        return true;
    if (GetLastError() == ERROR_PATH_NOT_FOUND && parent.Length() >= 4) {
        if (!createDirectoryPath(parent))
            return false;
        if (CreateDirectoryA(path.CStr(), nullptr))
            return true;
    }
    return directoryExists(path);
}

bool removeDirectory(const String& path)
{
    if (path.Length() <= 3)
        return false;
    String dir(path);
    dir.RemoveLastIf('\\');
    return RemoveDirectoryA(dir.CStr()) != 0;
}

bool isProtectedTree(const String& path)
{
    initPlatformPaths();
    if (path.Length() <= 3 || sameDirectory(path, windowsDir()))
        return true;
    String full = fullPathWithoutTrailingBackslashes(path);
    return full.IsEmpty() || isRoot(full) || holdsWindowsDirectory(full);
}

bool deleteTree(const String& path)
{
    if (isProtectedTree(path))
        return false;
    FindFile find;
    FileInfo entry;
    if (!find.FindFirst(joinPath(path, "*.*").CStr(), &entry))
        return false;
    DWORD lastFailure = 0;
    do {
        if (isDotEntry(entry.name))
            continue;
        if (!deleteEntry(joinPath(path, entry.name), entry.attributes)) {
            lastFailure = GetLastError();
            if (lastFailure == 0)
                lastFailure = ERROR_GEN_FAILURE;
        }
    } while (find.FindNext(&entry));
    find.EndFind();
    SetLastError(lastFailure);
    const bool removed = removeDirectory(path);
    if (lastFailure != 0)
        SetLastError(lastFailure);
    return removed && lastFailure == 0;
}

int64_t findFiles(Vector<String>& list, unsigned options, const String& pattern)
{
    list.Clear();
    String spec(pattern);
    if (cutSubdirectorySwitch(spec))
        options |= kFindRecurse;
    const String dir = parentDirectory(spec);
    int64_t total = 0;

    FindFile find;
    FileInfo entry;
    for (bool found = find.FindFirst(spec.CStr(), &entry); found; found = find.FindNext(&entry)) {
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if ((options & kFindListDirectories) && !isDotEntry(entry.name))
                list.Append(joinPath(dir, entry.name));
        } else {
            list.Append(joinPath(dir, entry.name));
            total += entry.size;
        }
    }
    if (!(options & kFindRecurse))
        return total;

    const String namePattern = fileNamePart(spec);
    Vector<String> below;
    for (bool found = find.FindFirst(joinPath(dir, "*.*").CStr(), &entry); found;
         found = find.FindNext(&entry)) {
        // Links to directories elsewhere are not followed: they may lead out of the tree or
        // round in a circle.
        if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) || isDotEntry(entry.name))
            continue;
        total += findFiles(below, options, joinPath(joinPath(dir, entry.name), namePattern));
        for (String& path : below)
            list.Append(static_cast<String&&>(path));
    }
    return total;
}
