#pragma once
// Conversions between DateTime and the platform's calendar and file times.

#include "platform/Win32.h"
#include "platform/portable/DateTime.h"

// The calendar fields of d; day of week and milliseconds 0. A value without a time gives
// midnight.
SYSTEMTIME systemTimeFromDateTime(const DateTime& d);
// The calendar fields of t.
DateTime dateTimeFromSystemTime(const SYSTEMTIME& t);
// The file time (UTC) t as local DateTime; a value without date and time when t cannot be
// converted.
DateTime localDateTimeFromFileTime(const FILETIME& t);
// The local time d as a file time (UTC) in out. False, out unchanged, when d has no date or is
// not a valid calendar time.
bool fileTimeFromLocalDateTime(const DateTime& d, FILETIME& out);
