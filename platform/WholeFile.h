#pragma once
// Whole files in one go: existence, reading into a text, writing a text.

#include "core/String.h"

// Whether path names a file that can be opened or is only locked by another program.
bool fileExists(const String& path);

// Reads the whole file path into text. Returns 0 on success; 2 for an empty path; 6 when the
// read fails (text emptied); otherwise the open code of File::Open (text unchanged).
int readWholeFile(const String& path, String& text);

// Creates or replaces the file path with the bytes of text (an empty text gives an empty
// file). False for an empty path, when the file cannot be opened, or when not all bytes could
// be written (the file is then incomplete).
bool writeWholeFile(const String& path, const String& text);
