#pragma once
// Directory tests, creation, removal and listing.

#include "core/String.h"
#include "core/Vector.h"

#include <cstdint>

// Whether path names a directory that can be entered: the current directory is changed to it
// for a moment and restored. Not safe beside other threads that use relative paths.
bool directoryExists(const String& path);

// Creates path and every missing directory above it. True when path exists afterwards (or
// already did, or is a root, which is never created); false for an empty path or when a level
// could not be created (the levels made before stay).
bool createDirectoryPath(const String& path);

// Removes the empty directory path (one trailing backslash disregarded). False for a path of
// three bytes or fewer (a drive root or less) and when the directory does not go.
bool removeDirectory(const String& path);

// Whether deleteTree refuses path: a path of three bytes or fewer, any drive or network root
// however written (C:\\, C:\., \\server\share\), the Windows directory and every directory that
// holds it, and a path the system cannot make full.
bool isProtectedTree(const String& path);

// Deletes path with everything below it: files (read-only ones too) and subdirectories. A
// subdirectory that is a link (junction, symbolic link) is removed as a link, its target left
// alone. Refuses isProtectedTree paths, deleting nothing. A failing entry is passed over and
// the walk goes on. True only when every entry and path itself went; otherwise the thread's
// last error holds the code of the last failure.
bool deleteTree(const String& path);

// Options of findFiles.
enum : unsigned {
    kFindListDirectories = 0x01, // list subdirectory names too
    kFindRecurse = 0x02,         // search the subdirectories (also set by a trailing " /s")
};

// Fills list (emptied first) with the full paths of the entries matching pattern (a path
// whose last part may hold '*' and '?', optionally followed by " /s"): first those of the
// pattern's directory in the platform's order, then, with kFindRecurse, those of each
// subdirectory in turn. Returns the total size of the listed files; 0 and an empty list when
// nothing matches.
int64_t findFiles(Vector<String>& list, unsigned options, const String& pattern);
