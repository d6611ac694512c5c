#include "core/Date.h"

#include "core/String.h"
#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

namespace {

struct KnownDate {
    int month, day, year;
    int dayNumber, weekday;
};

TEST(Date, DayNumberAndWeekdayOfKnownDates)
{
    FixedClock clock(2026);
    const KnownDate cases[] = {
        {1, 1, 2000, 2451544, 7},   // Saturday
        {3, 5, 2007, 2454164, 2},   // Monday
        {2, 29, 2000, 2451603, 3},  // Tuesday
        {12, 31, 1999, 2451543, 6}, // Friday
        {10, 15, 1582, 2299160, 6}, // first Gregorian day, Friday
        {10, 4, 1582, 2299159, 5},  // last Julian day, Thursday
        {3, 1, 1200, 2159417, 4},   // Julian leap rule: 29 Feb 1200 exists
    };
    for (const KnownDate& c : cases) {
        Date d(c.month, c.day, c.year);
        EXPECT_EQ(c.dayNumber, d.dayNumber) << c.month << "/" << c.day << "/" << c.year;
        EXPECT_EQ(c.weekday, d.weekday) << c.month << "/" << c.day << "/" << c.year;
        EXPECT_FALSE(d.IsInvalid());
        Date back = Date::FromDayNumber(c.dayNumber);
        EXPECT_EQ(c.month, back.month);
        EXPECT_EQ(c.day, back.day);
        EXPECT_EQ(c.year, back.year);
        EXPECT_EQ(c.weekday, back.weekday);
    }
}

TEST(Date, DayNumbersRoundTripAcrossTheCalendarChange)
{
    FixedClock clock(2026);
    const int first = Date(1, 1, 101).dayNumber;
    const int last = Date(12, 31, 2400).dayNumber;
    int previousWeekday = Date::FromDayNumber(first - 1).weekday;
    for (int n = first; n <= last; ++n) {
        Date d = Date::FromDayNumber(n);
        ASSERT_FALSE(d.IsInvalid()) << n;
        ASSERT_EQ(previousWeekday % 7 + 1, d.weekday) << n;
        ASSERT_EQ(n, Date(d.month, d.day, d.year).dayNumber) << n;
        previousWeekday = d.weekday;
    }
}

TEST(Date, NegativeYearsRoundTrip)
{
    // 31 December 1 BC is the day before 1 January 1 AD; there is no year 0.
    Date lastBc = Date::FromDayNumber(1721422);
    EXPECT_EQ(1, Date::FromDayNumber(1721423).year);
    EXPECT_EQ(-1, lastBc.year);
    EXPECT_EQ(12, lastBc.month);
    EXPECT_EQ(31, lastBc.day);
    for (int n = 1000; n < 1721423; n += 97) {
        Date d = Date::FromDayNumber(n);
        ASSERT_FALSE(d.IsInvalid()) << n;
        ASSERT_EQ(n, Date(d.month, d.day, d.year).dayNumber) << n << " " << d.year;
    }
}

TEST(Date, Validity)
{
    FixedClock clock(2026);
    struct Case {
        int month, day, year;
        bool invalid;
    } cases[] = {
        {2, 29, 1900, true},  {2, 29, 2000, false}, {2, 29, 2004, false}, {2, 29, 2100, true},
        {2, 29, 1500, false}, // every fourth year before 1582
        {4, 31, 2007, true},  {4, 30, 2007, false}, {1, 0, 2007, true},   {13, 1, 2007, true},
        {12, 31, 2007, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.invalid, Date(c.month, c.day, c.year).IsInvalid())
            << c.month << "/" << c.day << "/" << c.year;
    EXPECT_TRUE(Date().IsInvalid());
}

TEST(Date, MonthBelowOneSetsNothing)
{
    FixedClock clock(2026);
    Date d(3, 5, 2007);
    EXPECT_FALSE(d.Set(0, 5, 2008));
    EXPECT_EQ(2454164, d.dayNumber);
    EXPECT_EQ(2007, d.year);
    EXPECT_EQ(0, Date(-1, 1, 2000).dayNumber);
}

TEST(Date, TwoDigitYearsMoveNearTheCurrentYear)
{
    struct Case {
        int year, currentYear, expected;
    } cases[] = {
        {26, 2026, 2026}, {75, 2026, 2075}, {77, 2026, 1977}, // distance 51 against 49
        {76, 2026, 2076},                                     // tie: the later century
        {0, 2026, 2000},  {100, 2026, 2000}, {99, 2001, 1999}, {0, 2050, 2100},
        {101, 2026, 101}, {2007, 2026, 2007}, {-5, 2026, -5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Date::ExpandTwoDigitYear(c.year, c.currentYear))
            << c.year << " in " << c.currentYear;

    // Date construction takes the current year from the clock.
    {
        FixedClock clock(2026);
        EXPECT_EQ(1977, Date(1, 1, 77).year);
        EXPECT_EQ(2075, Date(1, 1, 75).year);
    }
    {
        FixedClock clock(2090);
        EXPECT_EQ(2077, Date(1, 1, 77).year);
        EXPECT_EQ(2101, Date(1, 1, 1).year);
    }
}

TEST(Date, TodayReadsTheClock)
{
    FixedClock clock(2026, 12, 10, 8, 30, 0);
    Date today = Date::Today();
    EXPECT_EQ(12, today.month);
    EXPECT_EQ(10, today.day);
    EXPECT_EQ(2026, today.year);
    EXPECT_EQ(5, today.weekday); // Thursday
}

TEST(Date, CompareDates)
{
    FixedClock clock(2026);
    Date early(3, 5, 2007), late(3, 6, 2007), invalid(2, 30, 2007);
    EXPECT_EQ(-1, Date::CompareDates(early, late));
    EXPECT_EQ(1, Date::CompareDates(late, early));
    EXPECT_EQ(0, Date::CompareDates(early, Date(3, 5, 2007)));
    EXPECT_EQ(-1, Date::CompareDates(invalid, early));
    EXPECT_EQ(1, Date::CompareDates(early, invalid));
    EXPECT_EQ(0, Date::CompareDates(invalid, Date()));
}

TEST(Date, Names)
{
    EXPECT_STREQ("January", Date::MonthName(1));
    EXPECT_STREQ("December", Date::MonthName(12));
    EXPECT_STREQ("", Date::MonthName(0));
    EXPECT_STREQ("", Date::MonthName(13));
    EXPECT_STREQ("Sunday", Date::WeekdayName(1));
    EXPECT_STREQ("Saturday", Date::WeekdayName(7));
    EXPECT_STREQ("", Date::WeekdayName(8));
}

struct ParseCase {
    const char* text;
    bool dayFirst;
    int position; // -1: fails
    int month, day, year;
};

TEST(Date, ParseDate)
{
    FixedClock clock(2026);
    const ParseCase cases[] = {
        {"3/5/2007", false, 8, 3, 5, 2007},
        {"  3/5/07 rest", false, 8, 3, 5, 2007},
        {"3.5.2007", false, 8, 3, 5, 2007},
        {"3 /5/2007", false, 9, 3, 5, 2007},
        {"5/3/2007", true, 8, 3, 5, 2007},
        {"2007-03-05", false, 10, 3, 5, 2007},
        {"2007-03-05", true, 10, 3, 5, 2007},
        {"3/2007", false, 6, 3, 1, 2007},
        {"3/2007", true, 6, 3, 1, 2007},
        {"5-Mar-2007", false, 10, 3, 5, 2007},
        {"5 march 2007", false, 12, 3, 5, 2007},
        {"5 MAR 77", false, 8, 3, 5, 1977},
        {"March 5th, 2007", false, 15, 3, 5, 2007},
        {"Mar 5 2007", false, 10, 3, 5, 2007},
        {"Monday, March 5th, 2007", false, 23, 3, 5, 2007},
        {"thu march 1 2007", false, 16, 3, 1, 2007},
        {"March 2007", false, 10, 3, 1, 2007},
        {"February 29, 2000", false, 17, 2, 29, 2000},
        // failures
        {"", false, -1, 0, 0, 0},
        {"   ", false, -1, 0, 0, 0},
        {"0/5/2007", false, -1, 0, 0, 0},
        {"3/0/2007", false, -1, 0, 0, 0},
        {"3/5/", false, -1, 0, 0, 0},
        {"2007", false, -1, 0, 0, 0},
        {"3 5 2007", false, -1, 0, 0, 0},
        {"3/ 5/2007", false, -1, 0, 0, 0},
        {"Smarch 5, 2007", false, -1, 0, 0, 0},
        {"Monday", false, -1, 0, 0, 0},
        {"5 Foo 2007", false, -1, 0, 0, 0},
        {"5 March", false, -1, 0, 0, 0},
        {"March 0, 2007", false, -1, 0, 0, 0},
        {"14:07:09", false, -1, 0, 0, 0},
        {"2/30/2007", false, -1, 0, 0, 0},  // no such day
        {"13/5/2007", false, -1, 0, 0, 0},  // no such month
        {"-3/5/2007", false, -1, 0, 0, 0},
        {"February 29, 1900", false, -1, 0, 0, 0},
    };
    for (const ParseCase& c : cases) {
        Date d(1, 1, 1999);
        EXPECT_EQ(c.position, d.ParseDate(c.text, c.dayFirst)) << '"' << c.text << '"';
        EXPECT_EQ(c.month, d.month) << c.text;
        EXPECT_EQ(c.day, d.day) << c.text;
        EXPECT_EQ(c.year, d.year) << c.text;
        if (c.position < 0)
            EXPECT_EQ(0, d.dayNumber) << c.text;
        else
            EXPECT_EQ(Date(c.month, c.day, c.year).dayNumber, d.dayNumber) << c.text;
    }
    Date d(1, 1, 1999);
    EXPECT_EQ(-1, d.ParseDate(nullptr));
    EXPECT_TRUE(d.IsInvalid());
}

} // namespace
