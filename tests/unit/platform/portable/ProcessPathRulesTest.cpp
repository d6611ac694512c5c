#include "platform/portable/ProcessPathRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

} // namespace

TEST(ProcessPathRules, ComSpec)
{
    struct Case {
        const char *expanded, *windowsDir, *comSpec;
    };
    const Case cases[] = {
        {"C:\\windows\\system32\\cmd.exe", "C:\\windows", "C:\\windows\\system32\\cmd.exe"},
        {"", "C:\\WINDOWS", "C:\\WINDOWS\\command.com"},
        {" \t", "C:\\WINDOWS", "C:\\WINDOWS\\command.com"},
        {"C:\\Program Files\\sh.exe", "C:\\windows", "\"C:\\Program Files\\sh.exe\""},
        {"", "C:\\My Windows", "\"C:\\My Windows\\command.com\""},
        {"C:\\x\ty.exe", "C:\\w", "\"C:\\x\ty.exe\""},
        // Already quoted: not quoted twice.
        {"\"C:\\Program Files\\sh.exe\"", "C:\\w", "\"C:\\Program Files\\sh.exe\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.comSpec, str(comSpecFrom(c.expanded, c.windowsDir))) << c.expanded;
}

TEST(ProcessPathRules, TempDir)
{
    EXPECT_EQ("C:\\users\\me\\Temp", str(tempDirFrom("C:\\users\\me\\Temp\\")));
    EXPECT_EQ("C:\\Temp", str(tempDirFrom("C:\\Temp")));
    EXPECT_EQ("c:\\temp", str(tempDirFrom("")));
    // A drive root keeps its backslash: "C:" alone would mean C's current directory.
    EXPECT_EQ("D:\\", str(tempDirFrom("D:\\")));
}
