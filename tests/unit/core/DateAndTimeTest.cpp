#include "core/DateAndTime.h"

#include "core/String.h"
#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

namespace {

DateAndTime march5th2007(int hour = 14, int minute = 7, int second = 9)
{
    FixedClock clock(2026);
    return DateAndTime(Date(3, 5, 2007), Time(hour, minute, second));
}

TEST(DateAndTime, FormatLetters)
{
    const DateAndTime t = march5th2007();
    struct Case {
        const char* format;
        const char* expected;
    } cases[] = {
        {"m/d/y h:ii:ssap", "3/5/07 2:07:09p"},
        {"MM D, yy", "March 5th, 2007"},
        {"d-M-yy h:ii:ssap", "5-Mar-2007 2:07:09p"},
        {"m/d/yy HH:ii:ss", "3/5/2007 14:07:09"},
        {"mm/dd/yy hh:i:s", "03/05/2007 02:7:9"},
        {"W, WW w ww", "Mon, Monday 2 02"},
        {"DD of MM", "Fifth of March"},
        {"Y; YY", "Oh Seven; Two Thousand Seven"},
        {"AP ap", "p.m. p"},
        {"a A x, yyy mmm", "a A x, 200707 033"}, // lone a / A copied; a third letter is single
        {"", "3/5/07 2:07:09p"},
        {nullptr, "3/5/07 2:07:09p"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, t.FormatDateAndTime(c.format).CStr()) << (c.format ? c.format : "null");
}

TEST(DateAndTime, DateOnlyFormatterCopiesTimeLetters)
{
    const Date d = march5th2007().date;
    EXPECT_STREQ("3/5/07", d.FormatDate().CStr());
    EXPECT_STREQ("3/5/07", d.FormatDate("").CStr());
    EXPECT_STREQ("3/5/07 h:ii:ssap HH AP", d.FormatDate("m/d/y h:ii:ssap HH AP").CStr());
    EXPECT_STREQ("Monday, March 5th, 2007", d.FormatDate("WW, MM D, yy").CStr());
}

TEST(DateAndTime, TwelveHourClock)
{
    struct Case {
        int hour;
        const char* expected; // "h H ap AP"
    } cases[] = {
        {0, "12 0 a a.m."}, {1, "1 1 a a.m."},   {11, "11 11 a a.m."},
        {12, "12 12 p p.m."}, {13, "1 13 p p.m."}, {23, "11 23 p p.m."},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, march5th2007(c.hour).FormatDateAndTime("h H ap AP").CStr()) << c.hour;
    EXPECT_STREQ("2:07:09p", Time(14, 7, 9).FormatTime().CStr());
}

TEST(DateAndTime, YearWordsOfShortYears)
{
    FixedClock clock(2026);
    EXPECT_STREQ("Oh Zero", Date(1, 1, 2000).FormatDate("Y").CStr());
    EXPECT_STREQ("Ninety Nine", Date(1, 1, 1999).FormatDate("Y").CStr());
    EXPECT_STREQ("Nineteen Oh Five", Date(1, 1, 1905).FormatDate("YY").CStr());
}

TEST(Time, ParseTime)
{
    struct Case {
        const char* text;
        bool ok;
        int hour, minute, second;
    } cases[] = {
        {"14:07:09", true, 14, 7, 9},
        {"  9:05", true, 9, 5, 0},
        {"2:07p", true, 14, 7, 0},
        {"2:07 PM", true, 14, 7, 0},
        {"2:07:09 pm", true, 14, 7, 9},
        {"2:07:09am", true, 2, 7, 9},
        {"12:30 pm", true, 12, 30, 0},
        {"12:30 am", true, 0, 30, 0}, // half past midnight
        {"13:00p", true, 13, 0, 0},
        {"23:59:59 trailing", true, 23, 59, 59},
        {"", false, -1, -1, -1},
        {"9", false, -1, -1, -1},
        {"9:", false, -1, -1, -1},
        {":30", false, -1, -1, -1},
        {"9 :30", false, -1, -1, -1},
        {"24:00", false, -1, -1, -1},
        {"9:60", false, -1, -1, -1},
        {"9:05:60", false, -1, -1, -1},
        {"-1:30", false, -1, -1, -1},
    };
    for (const Case& c : cases) {
        Time t(1, 2, 3);
        EXPECT_EQ(c.ok, t.ParseTime(c.text)) << c.text;
        EXPECT_EQ(c.hour, t.hour) << c.text;
        EXPECT_EQ(c.minute, t.minute) << c.text;
        EXPECT_EQ(c.second, t.second) << c.text;
    }
}

TEST(Time, Validity)
{
    EXPECT_TRUE(Time().IsInvalid());
    EXPECT_FALSE(Time(0, 0, 0).IsInvalid());
    EXPECT_FALSE(Time(23, 59, 59).IsInvalid());
    EXPECT_TRUE(Time(24, 0, 0).IsInvalid());
    EXPECT_TRUE(Time(12, 60, 0).IsInvalid());
    EXPECT_TRUE(Time(12, 0, -1).IsInvalid());
}

TEST(DateAndTime, ParseDateAndTime)
{
    FixedClock clock(2026);
    struct Case {
        const char* text;
        bool ok;
        int month, day, year; // 0: no date
        int hour, minute, second; // -1: no time
    } cases[] = {
        {"3/5/2007 14:07:09", true, 3, 5, 2007, 14, 7, 9},
        {"3/5/2007,14:07", true, 3, 5, 2007, 14, 7, 0},
        {"March 5th, 2007, 2:07p", true, 3, 5, 2007, 14, 7, 0},
        {"March 2007, 2:07p", true, 3, 1, 2007, 14, 7, 0},
        {"14:07:09", true, 0, 0, 0, 14, 7, 9},
        {"3/5/2007", true, 3, 5, 2007, -1, -1, -1},
        {"3/5/2007 25:00", true, 3, 5, 2007, -1, -1, -1},
        {"nonsense", false, 0, 0, 0, -1, -1, -1},
        {"", false, 0, 0, 0, -1, -1, -1},
    };
    for (const Case& c : cases) {
        DateAndTime t = march5th2007();
        EXPECT_EQ(c.ok, t.ParseDateAndTime(c.text)) << c.text;
        EXPECT_EQ(c.month, t.date.month) << c.text;
        EXPECT_EQ(c.day, t.date.day) << c.text;
        EXPECT_EQ(c.year, t.date.year) << c.text;
        EXPECT_EQ(c.hour, t.time.hour) << c.text;
        EXPECT_EQ(c.minute, t.time.minute) << c.text;
        EXPECT_EQ(c.second, t.time.second) << c.text;
    }
}

TEST(DateAndTime, NowReadsTheClock)
{
    FixedClock clock(2026, 12, 10, 8, 30, 5);
    EXPECT_STREQ("10-Dec-2026 8:30:05a", DateAndTime::Now().FormatDateAndTime("d-M-yy h:ii:ssap").CStr());
    EXPECT_STREQ("08:30:05", Time::Now().FormatTime("HH:ii:ss").CStr());
}

} // namespace
