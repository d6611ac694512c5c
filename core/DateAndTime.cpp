#include "core/DateAndTime.h"

#include "core/Clock.h"
#include "core/NumberFormat.h"
#include "core/String.h"

namespace {

void appendShortName(String& out, const char* name)
{
    int n = 0;
    while (n < 3 && name[n])
        ++n;
    out.Append(name, n);
}

// One date letter (doubled or not); false when c is not a date letter.
bool appendDateLetter(String& out, const Date& d, char c, bool doubled)
{
    switch (c) {
    case 'm':
        out.AppendFormat(doubled ? "%02d" : "%d", d.month);
        return true;
    case 'd':
        out.AppendFormat(doubled ? "%02d" : "%d", d.day);
        return true;
    case 'y':
        if (doubled)
            out.AppendFormat("%04d", d.year);
        else
            out.AppendFormat("%02d", d.year % 100);
        return true;
    case 'w':
        out.AppendFormat(doubled ? "%02d" : "%d", d.weekday);
        return true;
    case 'M':
        if (doubled)
            out.Append(Date::MonthName(d.month));
        else
            appendShortName(out, Date::MonthName(d.month));
        return true;
    case 'W':
        if (doubled)
            out.Append(Date::WeekdayName(d.weekday));
        else
            appendShortName(out, Date::WeekdayName(d.weekday));
        return true;
    case 'D':
        out.Append(doubled ? OrdinalWords(d.day) : OrdinalSuffix(d.day));
        return true;
    case 'Y':
        if (doubled) {
            out.Append(NumberWords(d.year, kNumberWordsYear));
        } else {
            int shortYear = d.year % 100;
            if (shortYear < 10)
                out.Append("Oh ");
            out.Append(NumberWords(shortYear, kNumberWordsPlain));
        }
        return true;
    default:
        return false;
    }
}

// One time letter (doubled or not); false when c is not a time letter.
bool appendTimeLetter(String& out, const Time& t, char c, bool doubled)
{
    switch (c) {
    case 'H':
        out.AppendFormat(doubled ? "%02d" : "%d", t.hour);
        return true;
    case 'h': {
        int h = t.hour == 0 ? 12 : (t.hour > 12 ? t.hour - 12 : t.hour);
        out.AppendFormat(doubled ? "%02d" : "%d", h);
        return true;
    }
    case 'i':
        out.AppendFormat(doubled ? "%02d" : "%d", t.minute);
        return true;
    case 's':
        out.AppendFormat(doubled ? "%02d" : "%d", t.second);
        return true;
    default:
        return false;
    }
}

} // namespace

DateAndTime DateAndTime::Now()
{
    Clock::Reading now = Clock::Now();
    return DateAndTime(Date(now.month, now.day, now.year), Time(now.hour, now.minute, now.second));
}

String DateAndTime::FormatDateAndTime(const char* format) const
{
    return Format(date, time, format, true);
}

String DateAndTime::Format(const Date& d, const Time& t, const char* format, bool withTime)
{
    if (!format || !*format)
        format = withTime ? kDefaultDateAndTimeFormat : kDefaultDateFormat;
    String out;
    for (int i = 0; format[i]; ++i) {
        char c = format[i];
        bool doubled = format[i + 1] == c;
        if (appendDateLetter(out, d, c, doubled) || (withTime && appendTimeLetter(out, t, c, doubled))) {
            if (doubled)
                ++i;
            continue;
        }
        if (withTime && c == 'a' && format[i + 1] == 'p') {
            out.Append(t.hour < 12 ? "a" : "p");
            ++i;
        } else if (withTime && c == 'A' && format[i + 1] == 'P') {
            out.Append(t.hour < 12 ? "a.m." : "p.m.");
            ++i;
        } else {
            out.Append(c);
        }
    }
    return out;
}

bool DateAndTime::ParseDateAndTime(const char* text)
{
    Clear();
    if (!text)
        return false;
    int pos = date.ParseDate(text, false);
    if (pos < 0)
        return time.ParseTime(text);
    if (text[pos] == ',')
        ++pos;
    time.ParseTime(text + pos);
    return true;
}
