#pragma once
// The 24-byte time record of the archive (the uninstaller's time stamp in the settings, each
// stored file's time in the data block): six little-endian i32 in this order.

#include <cstdint>

struct ArchiveTime {
    int32_t year = 0;
    int32_t month = 0;   // 0: no date
    int32_t day = 0;
    int32_t hour = -1;   // negative: no time of day
    int32_t minute = 0;
    int32_t second = 0;

    bool hasDate() const { return month != 0; }
    bool hasTime() const { return hour >= 0; }
};
