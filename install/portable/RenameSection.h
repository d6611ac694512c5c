#pragma once
// The "[rename]" section of the restart-time rename file (wininit.ini): each line
// "target=source" is carried out once at the next start; "NUL" as target deletes the source.

#include "core/String.h"

// Adds the line name=value to text. When a "[rename]" header is present (letter case ignored)
// the line goes directly behind it, so it becomes the first line of the section. Otherwise a
// line break is appended unless text already ends in CR or LF, then "[rename]\r\n" and the line
// (without a line break of its own). False, text unchanged, when memory runs out.
bool addRenameEntry(String& text, const char* name, const char* value);
