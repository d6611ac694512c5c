#pragma once
// The files a file-specification text names right now (see platform/portable/FileSpecText.h
// for the text's form).

#include "core/String.h"
#include "core/Vector.h"

// Appends to result the existing files that the specifications of specText match, relative
// ones taken against defaultDir (a full directory path), in order of discovery: per
// specification those of its directory first, then, with " /s", those of each subdirectory.
// A file is added only once (letter case ignored), also when result held it already.
// Directories are never listed; what matches nothing contributes nothing.
void expandFileSpecs(const String& specText, Vector<String>& result, const String& defaultDir);
