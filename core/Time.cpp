#include "core/Time.h"

#include "core/Clock.h"
#include "core/Date.h"
#include "core/DateAndTime.h"
#include "core/String.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

void skipSpace(const char* text, int& pos)
{
    while (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n' ||
           text[pos] == '\v' || text[pos] == '\f')
        ++pos;
}

// Decimal digits at pos (at least one); values stop growing beyond 99,999.
bool readDigits(const char* text, int& pos, int& value)
{
    if (!isDigit(text[pos]))
        return false;
    int v = 0;
    while (isDigit(text[pos])) {
        if (v < 100000)
            v = v * 10 + (text[pos] - '0');
        ++pos;
    }
    value = v;
    return true;
}

} // namespace

Time Time::Now()
{
    Clock::Reading now = Clock::Now();
    return Time(now.hour, now.minute, now.second);
}

bool Time::IsInvalid() const
{
    return hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59;
}

String Time::FormatTime(const char* format) const
{
    if (!format || !*format)
        format = DateAndTime::kDefaultTimeFormat;
    return DateAndTime::Format(Date(), *this, format, true);
}

bool Time::ParseTime(const char* text)
{
    Clear();
    if (!text)
        return false;
    int pos = 0;
    int h = 0, m = 0, s = 0;
    skipSpace(text, pos);
    if (!readDigits(text, pos, h) || text[pos] != ':')
        return false;
    ++pos;
    if (!readDigits(text, pos, m))
        return false;
    skipSpace(text, pos);
    if (text[pos] == ':') {
        ++pos;
        if (!readDigits(text, pos, s))
            return false;
        skipSpace(text, pos);
    }
    char marker = text[pos];
    if ((marker == 'p' || marker == 'P') && h < 12)
        h += 12;
    else if ((marker == 'a' || marker == 'A') && h == 12)
        h = 0;
    Time t(h, m, s);
    if (t.IsInvalid())
        return false;
    *this = t;
    return true;
}
