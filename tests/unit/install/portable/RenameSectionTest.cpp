#include "install/portable/RenameSection.h"

#include <gtest/gtest.h>

TEST(RenameSection, NewSectionAfterTextWithoutFinalLineBreak)
{
    String text("[boot]\r\nshell=x");
    ASSERT_TRUE(addRenameEntry(text, "NUL", "C:\\OLD.DLL"));
    EXPECT_STREQ("[boot]\r\nshell=x\r\n[rename]\r\nNUL=C:\\OLD.DLL", text.CStr());
}

TEST(RenameSection, NewSectionInEmptyTextOrAfterLineBreak)
{
    String empty;
    ASSERT_TRUE(addRenameEntry(empty, "A", "B"));
    EXPECT_STREQ("[rename]\r\nA=B", empty.CStr());

    String ended("x=1\n");
    ASSERT_TRUE(addRenameEntry(ended, "A", "B"));
    EXPECT_STREQ("x=1\n[rename]\r\nA=B", ended.CStr());
}

TEST(RenameSection, LaterEntryBecomesFirstOfExistingSection)
{
    String text("[Boot]\r\n[RENAME]\r\nold=1\r\n[other]\r\n");
    ASSERT_TRUE(addRenameEntry(text, "C:\\A.DLL", "C:\\QVT1.TMP"));
    ASSERT_TRUE(addRenameEntry(text, "NUL", "C:\\B.DLL"));
    EXPECT_STREQ("[Boot]\r\n[RENAME]\r\nNUL=C:\\B.DLL\r\nC:\\A.DLL=C:\\QVT1.TMP\r\nold=1\r\n"
                 "[other]\r\n",
                 text.CStr());
}
