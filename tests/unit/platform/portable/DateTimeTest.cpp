#include "platform/portable/DateTime.h"

#include <gtest/gtest.h>

namespace {

DateTime at(int year, int month, int day, int hour, int minute, int second)
{
    DateTime d;
    d.year = year;
    d.month = month;
    d.day = day;
    d.hour = hour;
    d.minute = minute;
    d.second = second;
    return d;
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

} // namespace

TEST(CompareDateTimes, OrdersByDateThenTime)
{
    struct Case {
        DateTime a, b;
        int expected;  // sign
    };
    const Case cases[] = {
        {at(2001, 2, 3, 4, 5, 6), at(2001, 2, 3, 4, 5, 6), 0},
        {at(2000, 12, 31, 23, 59, 59), at(2001, 1, 1, 0, 0, 0), -1},
        {at(2001, 3, 1, 0, 0, 0), at(2001, 2, 28, 23, 0, 0), 1},
        {at(2001, 2, 3, 0, 0, 0), at(2001, 2, 4, 0, 0, 0), -1},
        {at(2001, 2, 3, 5, 0, 0), at(2001, 2, 3, 4, 59, 59), 1},
        {at(2001, 2, 3, 4, 5, 0), at(2001, 2, 3, 4, 6, 0), -1},
        {at(2001, 2, 3, 4, 5, 7), at(2001, 2, 3, 4, 5, 6), 1},
        // undated values: only the times count
        {at(0, 0, 0, 4, 5, 6), at(0, 0, 0, 4, 5, 7), -1},
        {at(1999, 0, 9, 4, 5, 6), at(2005, 0, 1, 4, 5, 6), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, sign(CompareDateTimes(c.a, c.b)))
            << c.a.year << "-" << c.a.month << "-" << c.a.day << " " << c.a.hour << ":" << c.a.minute << ":"
            << c.a.second << " vs " << c.b.year << "-" << c.b.month << "-" << c.b.day << " " << c.b.hour << ":"
            << c.b.minute << ":" << c.b.second;
}

TEST(CompareDateTimes, MissingPartsSortAfterPresentOnes)
{
    DateTime dated = at(2001, 2, 3, 4, 5, 6);
    DateTime undated = at(1990, 0, 0, 4, 5, 6);
    EXPECT_EQ(-1, CompareDateTimes(dated, undated));
    EXPECT_EQ(1, CompareDateTimes(undated, dated));

    // Equal dates: the value without a time comes after the one with a time, whatever the times.
    DateTime timed = at(2001, 2, 3, 23, 59, 59);
    DateTime untimed = at(2001, 2, 3, -1, 0, 0);
    EXPECT_EQ(1, CompareDateTimes(untimed, timed));
    EXPECT_EQ(-1, CompareDateTimes(timed, untimed));
    EXPECT_EQ(0, CompareDateTimes(DateTime(), DateTime()));
}
