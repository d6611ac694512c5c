#pragma once
// DateTime: a calendar date and time of day as the file times use them (local time).

#include <cstdint>

struct DateTime {
    int32_t year = 0;
    int32_t month = 0;   // 1-12; 0: no date
    int32_t day = 0;
    int32_t hour = -1;   // 0-23; -1: no time
    int32_t minute = 0;
    int32_t second = 0;

    bool HasDate() const { return month != 0; }
    bool HasTime() const { return hour != -1; }
};

// Orders two values: negative when a comes first, 0 when equal, positive when b comes first.
// When both have a date, the first differing of year, month, day decides (their difference); a
// value without a date comes after one with a date (+1 / -1). The time part follows the same
// rule with hour and minute; last the difference of the seconds.
int CompareDateTimes(const DateTime& a, const DateTime& b);
