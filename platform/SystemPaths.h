#pragma once
// Paths the system gives: short names, environment expansion, the system directory,
// temporary file names, the current directory.

#include "core/String.h"

// The short (8.3) form of path; path itself when the system has none.
String shortPath(const String& path);
// Expands the %variables% of text in place. False, text unchanged, when the expansion fails
// or would exceed 32000 bytes.
bool expandEnvironment(String& text);
// The system directory; when the system gives none, System32 (NT family) or System in the
// Windows directory.
String systemDir();
// Creates a new empty file named QVT*.tmp in dir (the temporary directory when dir is empty)
// and returns its path; empty when none could be made.
String tempFileName(const String& dir);
// The process's current directory; empty on failure.
String currentDirectory();
// joinPath(selfDir(), name).
String selfDirJoin(const String& name);
