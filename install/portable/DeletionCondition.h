#pragma once
// The condition of a deletion-list entry, tested against one matching file.

#include "archive/portable/FileDeletion.h"
#include "platform/portable/DateTime.h"

#include <cstdint>

// Whether the file with last-write time lastWrite (local) and size is to be deleted under the
// entry's condition: 1 same date, 2 file older, 3 file newer (the value a date, compared as date
// only when it carries no time of day), 4 size equal, 5 size at least, 6 size at most (the
// value a decimal byte count); any other condition: always. Returns 0 with matches set, or the
// corrupt-archive code for a value that is not a date (matches then unchanged).
int testDeletionCondition(const FileDeletion& entry, const DateTime& lastWrite, int64_t size,
                          bool& matches);
