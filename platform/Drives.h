#pragma once
// Drive and free-space queries.

#include "core/String.h"
#include "platform/Win32.h"

#include <cstdint>

// Whether the drive letter has a root directory (GetDriveTypeA is not DRIVE_NO_ROOT_DIR).
bool driveExists(char letter);

// The free bytes on the drive of path; -1 unless path begins with a letter, and on failure.
int64_t freeSpace(const String& path);

// Bytes per cluster on the drive of path; -1 unless path begins with a letter, and on failure.
int clusterSize(const String& path);

// The free and total bytes of the drive whose root is root ("C:\"). Uses GetDiskFreeSpaceExA
// where kernel32 has it (looked up once), and the classic cluster counts where it has not or
// says it is not implemented (it is then not asked again). False, free and total unchanged,
// on failure.
bool diskSpace(const String& root, int64_t& freeBytes, int64_t& totalBytes);

// GetDiskFreeSpaceExA's signature; tests put their own in its place.
using DiskFreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
// Makes diskSpace use function (null: as if kernel32 had none) instead of the one looked up,
// and returns the one used before.
DiskFreeSpaceExFunction setDiskFreeSpaceExFunction(DiskFreeSpaceExFunction function);
