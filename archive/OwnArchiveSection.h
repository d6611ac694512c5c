#pragma once
// Whether the program's own file carries an installation archive section.

#include "archive/portable/ArchiveSection.h"

// Opens the program's own file (selfPath) and looks for the archive
// section in its PE headers. True, with out set, when it is there; false when the file has no
// such section (out unchanged). A file that cannot be opened, or whose headers are damaged,
// is a fatal error.
bool findOwnArchiveSection(ArchiveSection& out);
