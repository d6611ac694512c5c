#pragma once
// Date: a calendar date held as a day number together with month, day, year and weekday.
//
// The day number is the Julian Day Number minus one (1 January 2000 is 2,451,544); 0 means
// "no date", and then every field is 0. Dates from 15 October 1582 on are Gregorian, earlier
// ones Julian. The fields are stored as given, so an impossible date such as 30 February keeps
// its day number of the day it runs over to and is reported by IsInvalid.

class String;

class Date {
public:
    int dayNumber; // Julian Day Number - 1; 0: no date
    int month;     // 1-12
    int day;       // 1-31
    int year;      // full year; negative years count back from 1 BC = -1
    int weekday;   // 1 (Sunday) to 7 (Saturday); 0 without a date

    // No date: every field 0.
    Date() : dayNumber(0), month(0), day(0), year(0), weekday(0) {}
    // As Set(month, day, year) on no date.
    Date(int month, int day, int year);

    // Today from the local clock (core/Clock.h).
    static Date Today();
    // The date of a day number; 0 gives no date.
    static Date FromDayNumber(int dayNumber);

    // Sets the date, first moving a year of 0-100 into the century nearest the current year
    // (ExpandTwoDigitYear). A month below 1 sets nothing and returns false; otherwise true, and
    // the day number and weekday are computed even when the day does not exist.
    bool Set(int month, int day, int year);
    // Sets every field from a day number (0: no date).
    void SetDayNumber(int dayNumber);
    // Back to no date.
    void Clear() { *this = Date(); }

    // Month outside 1-12, weekday outside 1-7, day below 1 or beyond the days of the month.
    bool IsInvalid() const;

    // The date written with the format letters (see DateAndTime.h); the time letters
    // (H h i s a A) are copied. Null or "" selects "m/d/y".
    String FormatDate(const char* format = nullptr) const;

    // Reads a date from text ("3/5/2007", "2007-03-05", "5-Mar-2007", "Monday, March 5th,
    // 2007", "March 2007"); dayFirst reads "5/3/2007" as 5 March. Returns the position behind
    // what was read. A text that holds no date, or one that does not exist (31 April), returns
    // -1 and leaves the date cleared.
    int ParseDate(const char* text, bool dayFirst = false);

    // An invalid date sorts before a valid one; two invalid dates are equal; otherwise by day
    // number. Returns -1, 0 or +1.
    static int CompareDates(const Date& a, const Date& b);

    // A year of 0-100 moved into the century that brings it nearest to currentYear (a tie goes
    // to the later one); any other year is returned unchanged.
    static int ExpandTwoDigitYear(int year, int currentYear);
    // Gregorian from 1582 on, every fourth year before.
    static bool IsLeapYear(int year);
    // Days of the month in that year; 0 for a month outside 1-12.
    static int DaysInMonth(int month, int year);
    // "January" ... "December" / "Sunday" ... "Saturday" from 1; "" outside the table.
    static const char* MonthName(int month);
    static const char* WeekdayName(int weekday);
};
