#include "core/Array.h"

#include "core/String.h"

#include <gtest/gtest.h>

TEST(Array, SetCountKeepsTheFirstElements)
{
    Array<String> row(2);
    row[0] = "name";
    row[1] = "value";
    row.SetCount(3);
    EXPECT_STREQ("name", row[0].CStr());
    EXPECT_STREQ("value", row[1].CStr());
    EXPECT_TRUE(row[2].IsEmpty());
    row.SetCount(1);
    EXPECT_EQ(1, row.Count());
    EXPECT_STREQ("name", row[0].CStr());
    Array<String> copy = row;
    copy[0] = "other";
    EXPECT_STREQ("name", row[0].CStr());
    row.SetCount(0);
    EXPECT_TRUE(row.IsEmpty());

    Array<int> numbers(4);
    for (int n : numbers)
        EXPECT_EQ(0, n);
}

TEST(ArrayDeathTest, IndexOutsideIsAnInternalError)
{
    Array<int> numbers(2);
    EXPECT_EXIT(numbers.At(2), ::testing::ExitedWithCode(3), "Internal Fatal Error\r\nModule: core");
    EXPECT_EXIT(numbers[-1], ::testing::ExitedWithCode(3), "Internal Fatal Error\r\nModule: core");
}
