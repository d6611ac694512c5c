#pragma once
// One entry of the archive's deletion list: files removed before extraction.

#include "core/String.h"

#include <cstdint>

struct FileDeletion {
    String path;         // file specification; wildcards and path variables allowed
    int8_t condition = 0; // 1 same date, 2 older, 3 newer, 4 size equal, 5 at least,
                          // 6 at most; anything else: always
    String value;        // the date (1-3) or the decimal byte count (4-6)
    uint32_t flags = 0;  // bit 1: when it cannot be deleted now, delete it at restart
};
