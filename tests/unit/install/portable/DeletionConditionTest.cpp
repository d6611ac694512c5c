#include "install/portable/DeletionCondition.h"

#include "archive/format/ArchiveFormat.h"

#include <gtest/gtest.h>

namespace {

DateTime at(int year, int month, int day, int hour, int minute)
{
    DateTime d;
    d.year = year;
    d.month = month;
    d.day = day;
    d.hour = hour;
    d.minute = minute;
    return d;
}

FileDeletion entry(int condition, const char* value)
{
    FileDeletion e;
    e.path = "*.tmp";
    e.condition = static_cast<int8_t>(condition);
    e.value = value;
    return e;
}

} // namespace

TEST(DeletionCondition, Cases)
{
    struct Case {
        int condition;
        const char* value;
        DateTime file;
        int64_t size;
        bool matches;
    };
    const DateTime noon = at(2007, 3, 5, 12, 0);
    const Case cases[] = {
        {1, "3/5/2007", noon, 0, true},            // date only: the time of day is ignored
        {2, "3/5/2007", noon, 0, false},
        {2, "3/6/2007", noon, 0, true},
        {3, "3/5/2007", noon, 0, false},
        {3, "3/5/2007 11:00", noon, 0, true},      // with a time of day the time counts
        {2, "3/5/2007 13:30", noon, 0, true},
        {1, "3/5/2007 12:00", noon, 0, true},
        {4, "100", noon, 100, true},
        {4, "100", noon, 101, false},
        {5, "100", noon, 100, true},
        {5, "100", noon, 99, false},
        {6, "5000000000", noon, 4999999999LL, true}, // 64-bit sizes
        {6, "100", noon, 101, false},
        {0, "", noon, 0, true},
        {-3, "x", noon, 0, true},
        {7, "x", noon, 0, true},
    };
    for (const Case& c : cases) {
        bool matches = !c.matches;
        ASSERT_EQ(0, testDeletionCondition(entry(c.condition, c.value), c.file, c.size, matches))
            << c.condition << " " << c.value;
        EXPECT_EQ(c.matches, matches) << c.condition << " " << c.value;
    }
}

TEST(DeletionCondition, ValueThatIsNotADateIsCorrupt)
{
    for (const char* bad : {"", "soon", "12:30", "4/31/2007"}) {
        bool matches = true;
        EXPECT_EQ(kCorruptDate, testDeletionCondition(entry(2, bad), at(2007, 1, 1, 0, 0), 0,
                                                      matches))
            << bad;
        EXPECT_TRUE(matches);
    }
}
