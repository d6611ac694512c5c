#pragma once
// DateAndTime: a Date followed by a Time, and the format-letter language of both.
//
// A format is walked from left to right; a doubled letter is taken as a pair, and any other
// character is copied unchanged:
//   m mm   month "%d" / "%02d"          d dd   day "%d" / "%02d"
//   y yy   year mod 100 "%02d" / "%04d"  w ww   weekday number 1-7 "%d" / "%02d"
//   M MM   "Mar" / "March"              W WW   "Mon" / "Monday"
//   D DD   "5th" / "Fifth"              Y YY   "Oh Seven" / "Two Thousand Seven"
//   H HH   hour 0-23 "%d" / "%02d"      h hh   hour 1-12 "%d" / "%02d"
//   i ii   minute "%d" / "%02d"         s ss   second "%d" / "%02d"
//   ap     "a" / "p"                    AP     "a.m." / "p.m."
// The date-only formatter copies the time letters H h i s a A.

#include "core/Date.h"
#include "core/Time.h"

class String;

class DateAndTime {
public:
    static constexpr const char* kDefaultDateFormat = "m/d/y";
    static constexpr const char* kDefaultDateAndTimeFormat = "m/d/y h:ii:ssap";
    static constexpr const char* kDefaultTimeFormat = "h:ii:ssap";

    Date date;
    Time time;

    // No date and no time.
    DateAndTime() {}
    DateAndTime(const Date& date, const Time& time) : date(date), time(time) {}

    // Now from the local clock (core/Clock.h).
    static DateAndTime Now();

    void Clear() { *this = DateAndTime(); }

    // Both parts written with the format letters; null or "" selects "m/d/y h:ii:ssap".
    String FormatDateAndTime(const char* format = nullptr) const;

    // Reads a date (Date::ParseDate, month first), then after one optional ',' a time
    // (Time::ParseTime); when no date is read, the time from the start of the text. True when
    // the date or the time was read; the part not read is cleared.
    bool ParseDateAndTime(const char* text);

    // The formatter behind FormatDate, FormatTime and FormatDateAndTime. withTime false copies
    // the time letters. Null or "" selects the default of the date-only or the date-and-time
    // formatter.
    static String Format(const Date& date, const Time& time, const char* format, bool withTime);
};
