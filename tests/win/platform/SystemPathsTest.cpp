#include "platform/ProcessPaths.h"
#include "platform/SystemPaths.h"
#include "platform/Win32.h"

#include <gtest/gtest.h>

#include <string>

TEST(SystemPaths, EnvironmentExpansion)
{
    SetEnvironmentVariableA("QUIV_TEST_VALUE", "C:\\Some Dir");
    String text("%QUIV_TEST_VALUE%\\x;%QUIV_TEST_UNSET%");
    EXPECT_TRUE(expandEnvironment(text));
    EXPECT_STREQ("C:\\Some Dir\\x;%QUIV_TEST_UNSET%", text.CStr());
    SetEnvironmentVariableA("QUIV_TEST_VALUE", nullptr);
}

TEST(SystemPaths, Folders)
{
    const DWORD attributes = GetFileAttributesA(systemDir().CStr());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_STREQ(current, currentDirectory().CStr());

    const String missing("C:\\quiv no such dir\\long name.text");
    EXPECT_STREQ(missing.CStr(), shortPath(missing).CStr());
}

TEST(SystemPaths, TempFileNamesAreNewFiles)
{
    initPlatformPaths();
    const String& dir = tempDir();
    String first = tempFileName(dir);
    String second = tempFileName("");
    ASSERT_FALSE(first.IsEmpty());
    ASSERT_FALSE(second.IsEmpty());
    const String prefix = dir + "\\QVT";
    EXPECT_EQ(0, first.Compare(prefix.CStr(), false, prefix.Length())) << first.CStr();
    EXPECT_EQ(0, second.Compare(prefix.CStr(), false, prefix.Length())) << second.CStr();
    EXPECT_STRNE(first.CStr(), second.CStr());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(first.CStr()));
    DeleteFileA(first.CStr());
    DeleteFileA(second.CStr());
    EXPECT_TRUE(tempFileName(dir + "\\quiv-no-such-dir").IsEmpty());
}
