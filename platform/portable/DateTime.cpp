#include "platform/portable/DateTime.h"

int CompareDateTimes(const DateTime& a, const DateTime& b)
{
    if (a.HasDate() && b.HasDate()) {
        if (a.year != b.year)
            return a.year - b.year;
        if (a.month != b.month)
            return a.month - b.month;
        if (a.day != b.day)
            return a.day - b.day;
    } else if (a.HasDate() != b.HasDate()) {
        return a.HasDate() ? -1 : 1;
    }
    if (a.HasTime() && b.HasTime()) {
        if (a.hour != b.hour)
            return a.hour - b.hour;
        if (a.minute != b.minute)
            return a.minute - b.minute;
    } else if (a.HasTime() != b.HasTime()) {
        return a.HasTime() ? -1 : 1;
    }
    return a.second - b.second;
}
