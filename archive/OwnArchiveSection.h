#pragma once
// Whether the program's own file carries an installation archive section.

#include "archive/portable/PeSectionTable.h"

// Looks for the archive section in the headers of the program's own file (selfPath). True,
// with out set, when it is there; false when the file has no such section. A file that cannot
// be opened, or whose PE header offset or section count is out of range, is a fatal error.
bool findOwnArchiveSection(PeSection& out);
