#pragma once
// The text of a file-specification list: lines of ';'-separated file names or patterns, each
// line with an optional directory written once in front, paths relative to a default
// directory, and " /s" at the end of a specification for a search through subdirectories.
//
//   C:\Data\*.txt;*.log     C:\Data\*.txt and C:\Data\*.log
//   *.tmp /s                every .tmp below the default directory
//   \Temp\x.log             x.log in \Temp on the default directory's drive

#include "core/String.h"
#include "core/Vector.h"

// The specifications of specText made absolute, in the order written, each with its " /s"
// kept. Lines are separated by CR LF, LF CR, CR or LF, and trimmed. A line's directory (the
// text up to its last backslash before the first ';', or up to its first ':') is resolved
// against defaultDir, and each specification against the line's directory (defaultDir when
// the line has none). Empty specifications, and those that are still not absolute afterwards
// (possible only when defaultDir is not absolute), are left out.
Vector<String> fileSpecifications(const String& specText, const String& defaultDir);
