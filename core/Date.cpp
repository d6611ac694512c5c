#include "core/Date.h"

#include "core/Clock.h"
#include "core/DateAndTime.h"
#include "core/String.h"

namespace {

const char* const kMonthNames[12] = {"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};
const char* const kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The Gregorian calendar starts on 15 October 1582 (Julian Day Number 2,299,161).
const int kGregorianStartKey = 15821015;
const int kGregorianStartJulianDay = 2299161;

int weekdayOf(int dayNumber)
{
    int r = (dayNumber + 2) % 7;
    if (r < 0)
        r += 7;
    return r + 1;
}

int computeDayNumber(int month, int day, int year)
{
    int y = year < 0 ? year + 1 : year;
    int m = month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    int correction = 0;
    if ((static_cast<long long>(y) * 100 + m) * 100 + day >= kGregorianStartKey) {
        int a = y / 100;
        correction = a / 4 - a + 2;
    }
    long long n = static_cast<long long>(y * 365.25) + static_cast<long long>((m + 1) * 30.6001) +
                  day + correction + 1720994;
    return static_cast<int>(n);
}

// ---------------------------------------------------------------- reading texts

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

void skipSpace(const char* text, int& pos)
{
    while (isSpace(text[pos]))
        ++pos;
}

bool skipChar(const char* text, int& pos, char c)
{
    if (text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool isSeparator(char c)
{
    return c == '/' || c == '.' || c == '-';
}

// Optional sign and decimal digits at pos (no blanks skipped). False when no digit follows
// (pos then stays where it was). Values beyond the range of int stop growing.
bool readNumber(const char* text, int& pos, int& value)
{
    int p = pos;
    bool negative = false;
    if (text[p] == '+' || text[p] == '-')
        negative = text[p++] == '-';
    if (!isDigit(text[p]))
        return false;
    long long v = 0;
    while (isDigit(text[p])) {
        if (v < 100000000000LL)
            v = v * 10 + (text[p] - '0');
        ++p;
    }
    if (v > 0x7fffffff)
        v = 0x7fffffff;
    value = static_cast<int>(negative ? -v : v);
    pos = p;
    return true;
}

// Matches the full name or its first three letters, ignoring case; advances pos.
bool matchName(const char* text, int& pos, const char* name)
{
    int n = 0;
    while (name[n] && text[pos + n] && lower(text[pos + n]) == lower(name[n]))
        ++n;
    if (name[n] == 0 || n >= 3) {
        pos += name[n] == 0 ? n : 3;
        return true;
    }
    return false;
}

// Index 1-count of the first name that matches at pos, or 0.
int matchNameTable(const char* text, int& pos, const char* const* names, int count)
{
    for (int i = 0; i < count; ++i) {
        if (matchName(text, pos, names[i]))
            return i + 1;
    }
    return 0;
}

void skipOrdinalEnding(const char* text, int& pos)
{
    static const char* const endings[4] = {"st", "nd", "rd", "th"};
    for (const char* e : endings) {
        if (lower(text[pos]) == e[0] && lower(text[pos + 1]) == e[1]) {
            pos += 2;
            return;
        }
    }
}

struct DateFields {
    int month;
    int day;
    int year;
};

// "March 5th, 2007" and "March 2007", with pos at the month name.
bool readMonthFirst(const char* text, int& pos, DateFields& f)
{
    f.month = matchNameTable(text, pos, kMonthNames, 12);
    if (f.month == 0)
        return false;
    skipSpace(text, pos);
    if (!readNumber(text, pos, f.day) || f.day == 0)
        return false;
    skipOrdinalEnding(text, pos);
    int afterDay = pos;
    skipChar(text, pos, ',');
    skipSpace(text, pos);
    int n = 0;
    if (readNumber(text, pos, n) && n > 0 && text[pos] != ':') {
        f.year = n;
        return true;
    }
    // Only month and year: what was read as the day is the year, and whatever follows (a
    // time, say) is left to the caller.
    f.year = f.day;
    f.day = 1;
    pos = afterDay;
    return true;
}

// "3/5/2007", "3/2007", "2007-03-05", "5-Mar-2007", "5 March 2007", with pos at a digit or sign.
bool readNumberFirst(const char* text, int& pos, bool dayFirst, DateFields& f)
{
    int n1 = 0;
    if (!readNumber(text, pos, n1) || n1 == 0)
        return false;
    skipSpace(text, pos);
    bool separated = isSeparator(text[pos]);
    if (separated)
        ++pos;
    if (isLetter(text[pos])) {
        f.day = n1;
        f.month = matchNameTable(text, pos, kMonthNames, 12);
        if (f.month == 0)
            return false;
        if (isSeparator(text[pos]))
            ++pos;
        else
            skipSpace(text, pos);
        return readNumber(text, pos, f.year);
    }
    if (!separated || !isDigit(text[pos]))
        return false;
    int n2 = 0;
    if (!readNumber(text, pos, n2) || n2 == 0)
        return false;
    if (!isSeparator(text[pos])) {
        // Only month and year.
        f.month = n1;
        f.year = n2;
        f.day = 1;
        return true;
    }
    ++pos;
    int n3 = 0;
    if (!readNumber(text, pos, n3))
        return false;
    if (n1 >= 1001 && n3 <= 31) {
        f.year = n1;
        f.month = n2;
        f.day = n3;
    } else {
        f.month = dayFirst ? n2 : n1;
        f.day = dayFirst ? n1 : n2;
        f.year = n3;
    }
    return true;
}

} // namespace

Date::Date(int month, int day, int year) : Date()
{
    Set(month, day, year);
}

Date Date::Today()
{
    Clock::Reading now = Clock::Now();
    return Date(now.month, now.day, now.year);
}

Date Date::FromDayNumber(int dayNumber)
{
    Date d;
    d.SetDayNumber(dayNumber);
    return d;
}

int Date::ExpandTwoDigitYear(int year, int currentYear)
{
    if (year < 0 || year > 100)
        return year;
    int base = currentYear - currentYear % 100;
    int best = year + base - 100;
    for (int step = 0; step <= 100; step += 100) {
        int candidate = year + base + step;
        int dBest = best > currentYear ? best - currentYear : currentYear - best;
        int dCand = candidate > currentYear ? candidate - currentYear : currentYear - candidate;
        if (dCand <= dBest)
            best = candidate;
    }
    return best;
}

bool Date::Set(int newMonth, int newDay, int newYear)
{
    if (newMonth < 1)
        return false;
    newYear = ExpandTwoDigitYear(newYear, Clock::CurrentYear());
    month = newMonth;
    day = newDay;
    year = newYear;
    dayNumber = computeDayNumber(newMonth, newDay, newYear);
    weekday = weekdayOf(dayNumber);
    return true;
}

void Date::SetDayNumber(int n)
{
    if (n == 0) {
        Clear();
        return;
    }
    long long j = static_cast<long long>(n) + 1;
    long long jp = j;
    if (j >= kGregorianStartJulianDay) {
        long long alpha = static_cast<long long>((j - 1867216.25) / 36524.25);
        jp = j + 1 + alpha - alpha / 4;
    }
    long long b = jp + (jp < 1721424 ? 1158 : 1524);
    long long c = static_cast<long long>((b - 122.1) / 365.25);
    long long e = static_cast<long long>(365.25 * c);
    long long f = static_cast<long long>((b - e) / 30.6001);
    day = static_cast<int>(b - e - static_cast<long long>(30.6001 * f));
    month = static_cast<int>(f > 13 ? f - 13 : f - 1);
    year = static_cast<int>(month < 3 ? c - 4715 : c - 4716);
    dayNumber = n;
    weekday = weekdayOf(n);
}

bool Date::IsInvalid() const
{
    if (month < 1 || month > 12 || weekday < 1 || weekday > 7)
        return true;
    return day < 1 || day > DaysInMonth(month, year);
}

int Date::CompareDates(const Date& a, const Date& b)
{
    bool aInvalid = a.IsInvalid();
    bool bInvalid = b.IsInvalid();
    if (aInvalid || bInvalid)
        return aInvalid == bInvalid ? 0 : (aInvalid ? -1 : 1);
    if (a.dayNumber == b.dayNumber)
        return 0;
    return a.dayNumber < b.dayNumber ? -1 : 1;
}

bool Date::IsLeapYear(int y)
{
    if (y >= 1582)
        return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return y % 4 == 0;
}

int Date::DaysInMonth(int m, int y)
{
    if (m < 1 || m > 12)
        return 0;
    return kDaysInMonth[m - 1] + (m == 2 && IsLeapYear(y) ? 1 : 0);
}

const char* Date::MonthName(int m)
{
    return m >= 1 && m <= 12 ? kMonthNames[m - 1] : "";
}

const char* Date::WeekdayName(int w)
{
    return w >= 1 && w <= 7 ? kWeekdayNames[w - 1] : "";
}

String Date::FormatDate(const char* format) const
{
    return DateAndTime::Format(*this, Time(), format, false);
}

int Date::ParseDate(const char* text, bool dayFirst)
{
    Clear();
    if (!text)
        return -1;
    int pos = 0;
    skipSpace(text, pos);
    if (text[pos] == 0)
        return -1;
    if (isLetter(text[pos]) && matchNameTable(text, pos, kWeekdayNames, 7) != 0) {
        skipChar(text, pos, ',');
        skipSpace(text, pos);
    }
    DateFields f{0, 0, 0};
    bool read = isLetter(text[pos]) ? readMonthFirst(text, pos, f)
                                    : readNumberFirst(text, pos, dayFirst, f);
    if (!read || !Set(f.month, f.day, f.year) || IsInvalid()) {
        Clear();
        return -1;
    }
    return pos;
}
