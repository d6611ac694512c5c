#include "platform/FileTime.h"

SYSTEMTIME systemTimeFromDateTime(const DateTime& d)
{
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(d.year);
    t.wMonth = static_cast<WORD>(d.month);
    t.wDay = static_cast<WORD>(d.day);
    if (d.HasTime()) {
        t.wHour = static_cast<WORD>(d.hour);
        t.wMinute = static_cast<WORD>(d.minute);
        t.wSecond = static_cast<WORD>(d.second);
    }
    return t;
}

DateTime dateTimeFromSystemTime(const SYSTEMTIME& t)
{
    DateTime d;
    d.year = t.wYear;
    d.month = t.wMonth;
    d.day = t.wDay;
    d.hour = t.wHour;
    d.minute = t.wMinute;
    d.second = t.wSecond;
    return d;
}

DateTime localDateTimeFromFileTime(const FILETIME& t)
{
    FILETIME local;
    SYSTEMTIME s;
    if (!FileTimeToLocalFileTime(&t, &local) || !FileTimeToSystemTime(&local, &s))
        return DateTime();
    return dateTimeFromSystemTime(s);
}

bool fileTimeFromLocalDateTime(const DateTime& d, FILETIME& out)
{
    if (!d.HasDate())
        return false;
    SYSTEMTIME s = systemTimeFromDateTime(d);
    FILETIME local;
    FILETIME utc;
    if (!SystemTimeToFileTime(&s, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return false;
    out = utc;
    return true;
}
