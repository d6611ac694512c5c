#include "core/String.h"

#include <gtest/gtest.h>

TEST(StringBasics, NewStringHasNoBuffer)
{
    String s;
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_STREQ("", s.CStr());
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(0, s.Capacity());
}

TEST(StringBasics, AppendAndFormat)
{
    String s("abc");
    EXPECT_TRUE(s.Append('d'));
    EXPECT_TRUE(s.Append("ef"));
    EXPECT_FALSE(s.Append(""));
    EXPECT_STREQ("abcdef", s.CStr());
    s.AppendFormat("-%d-%s", 42, "x");
    EXPECT_STREQ("abcdef-42-x", s.CStr());
    s.Format("%05d", 7);
    EXPECT_STREQ("00007", s.CStr());
    EXPECT_EQ(5, s.Length());
}
