#include "archive/portable/ArchiveCursor.h"

#include <gtest/gtest.h>

TEST(ArchiveCursor, ReadsAdvanceWithinBounds)
{
    const char bytes[] = {0x78, 0x56, 0x34, 0x12, 'a', 'b', 0, 'c', 'd', 'e'};
    ArchiveCursor cursor(bytes, sizeof bytes);
    uint32_t v = 0;
    ASSERT_TRUE(cursor.readU32(v));
    EXPECT_EQ(v, 0x12345678u);
    const char* text = nullptr;
    ASSERT_TRUE(cursor.readString(text));
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(text, bytes + 4);   // in place
    String out("old");
    ASSERT_TRUE(cursor.readBytes(3, out));
    EXPECT_EQ(std::string(out.Data(), out.Length()), "cde");
    EXPECT_EQ(cursor.remaining(), 0u);
    EXPECT_TRUE(cursor.readBytes(0, out));
    EXPECT_TRUE(out.IsEmpty());
}

TEST(ArchiveCursor, ReadsPastTheEndFailWithoutMoving)
{
    const char bytes[] = {1, 2, 3, 'x', 'y'};
    ArchiveCursor cursor(bytes, sizeof bytes);
    uint32_t v = 7;
    ASSERT_TRUE(cursor.skip(2));
    EXPECT_FALSE(cursor.readU32(v));          // 3 bytes left
    EXPECT_EQ(v, 7u);
    const char* text = "unchanged";
    EXPECT_FALSE(cursor.readString(text));    // no terminating zero before the end
    EXPECT_STREQ(text, "unchanged");
    String out("keep");
    EXPECT_FALSE(cursor.readBytes(4, out));
    EXPECT_FALSE(cursor.readBytes(-1, out));
    EXPECT_STREQ(out.CStr(), "keep");
    EXPECT_FALSE(cursor.skip(4));
    EXPECT_EQ(cursor.position(), 2u);
    ArchiveCursor empty(nullptr, 100);
    EXPECT_FALSE(empty.readU32(v));
}
