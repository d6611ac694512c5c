#pragma once
// The process's platform values: computed once at start-up, read everywhere after.

#include "core/String.h"

// Computes every value below from the system. Only the first call does anything.
void initPlatformPaths();

// The values; empty (selfDrive 0) until initPlatformPaths has run.
const String& windowsDir(); // GetWindowsDirectoryA
const String& selfPath();   // the program's own file (GetModuleFileNameA)
const String& selfName();   // its file name
const String& selfDir();    // its directory
char selfDrive();           // its drive letter (upper case), or 0 for a network path
const String& comSpec();    // the command interpreter, quoted when it holds a blank
const String& tempDir();    // the temporary directory, without a trailing backslash
