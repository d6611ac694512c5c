#pragma once
// Deleting and moving files now or at the next restart, and a file's version text.
//
// Restart-time work goes through MoveFileExA where the system has it (looked up at run time;
// the oldest systems lack it) and otherwise through the "[rename]" section of wininit.ini in
// the Windows directory.

#include "core/String.h"

// Options of DeleteFile.
enum : unsigned {
    kDeleteKeepReadOnly = 0x1,     // do not clear the read-only attribute first
    kDeleteAtRestartOnly = 0x2,    // do not delete now, only schedule it for the next restart
    kDeleteScheduleOnFailure = 0x4 // when deleting now fails, schedule it
};

// Options of MovePath.
enum : unsigned {
    kMoveReplaceOnly = 0x1,   // fail when the target does not exist
    kMoveNoReplace = 0x2,     // fail when the target exists
    kMoveCreateDir = 0x4,     // create the target's directory first
    kMoveAtRestart = 0x8,     // move at the next restart
};

// Deletes path by options. True when it was deleted or its deletion was registered for the
// next restart; false otherwise (the system's last error tells why).
bool DeleteFile(const String& path, unsigned options);

// Moves source to target by options. An empty source or target fails with last error 87; a
// missing source fails; identical texts succeed without action. Unless kMoveNoReplace is
// given, an existing target named differently is deleted first (its failure is ignored). True
// when moved or registered for the restart.
bool MovePath(const String& source, const String& target, unsigned options);

// Adds the line name=value to the "[rename]" section of join(Windows directory,
// "wininit.ini"), creating the file when it is missing. False when it cannot be read or
// written.
bool addWininitRename(const String& name, const String& value);

// The "FileVersion" text of path's version resource, block 040904E4 only; empty when there is
// none.
String fileVersionText(const String& path);
