#include "archive/portable/ProgramPath.h"

#include <gtest/gtest.h>

TEST(ProgramPath, FromCommandLine)
{
    struct Case {
        const char* commandLine;
        const char* path;
    } cases[] = {
        {"\"C:\\Program Files\\Setup App\\setup.exe\" /a", "C:\\Program Files\\Setup App\\setup.exe"},
        {"C:\\Apps\\setup.exe /a /d:\"x\"", "C:\\Apps\\setup.exe"},
        {" \t\r\n C:\\setup.exe", "C:\\setup.exe"},
        {"C:\\Apps\\setup", "C:\\Apps\\setup.EXE"},
        {"\"C:\\My Apps\\setup\" /a", "C:\\My Apps\\setup.EXE"},
        {"C:\\Apps.d\\setup", "C:\\Apps.d\\setup.EXE"},   // the dot must be in the file name
        {"\"C:\\a\"\"b\\x.exe\"", "C:\\a\"b\\x.exe"},      // a doubled quote stands for one
        {"\"C:\\open ended.exe", "C:\\open ended.exe"},    // no closing quote: the rest
        {"setup.exe", "setup.exe"},
        {"", ".EXE"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(programPathFromCommandLine(c.commandLine).CStr(), c.path) << c.commandLine;
    EXPECT_STREQ(programPathFromCommandLine(nullptr).CStr(), ".EXE");
}
