#pragma once
// FileInfo: one entry of a directory listing (see FindFile).

#include "core/String.h"
#include "platform/portable/DateTime.h"

#include <cstdint>

struct FileInfo {
    DateTime creationTime;     // local time
    uint32_t attributes = 0;   // the platform's attribute bits (FILE_ATTRIBUTE_*)
    DateTime lastAccessTime;   // local time
    DateTime lastWriteTime;    // local time
    String name;
    String shortName;          // the 8.3 name; may be empty
    int64_t size = 0;
};
