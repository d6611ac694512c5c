#pragma once
// The archive's deletion list, carried out before any file is extracted.

#include "archive/portable/FileDeletion.h"
#include "core/Array.h"
#include "install/FileWriter.h"

// For each entry in order: expands its path variables, lists the matching files (relative
// specifications against installDir), tests the entry's condition and deletes each file that
// meets it (clearing read-only, hidden and system first), scheduling it for the restart when
// the entry asks for that. Lines go to texts.log; a failed registration to texts.errors. A
// value that is not a date is a corrupt archive (fatal).
void ProcessDeletions(const Array<FileDeletion>& list, const String& installDir,
                      InstallTexts& texts);
