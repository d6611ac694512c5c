#include "platform/portable/FileSpecText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> specs(const char* text, const char* defaultDir = "C:\\App")
{
    std::vector<std::string> out;
    for (const String& s : fileSpecifications(text, defaultDir))
        out.emplace_back(s.CStr(), static_cast<size_t>(s.Length()));
    return out;
}

} // namespace

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(FileSpecText, LineDirectoryAppliesToEverySpecificationOfItsLine)
{
    EXPECT_THAT(specs("C:\\Data\\*.txt;*.log"), ElementsAre("C:\\Data\\*.txt", "C:\\Data\\*.log"));
    EXPECT_THAT(specs("D:\\Other\\a.txt;b.txt"), ElementsAre("D:\\Other\\a.txt", "D:\\Other\\b.txt"));
    EXPECT_THAT(specs("C:\\*.ini"), ElementsAre("C:\\*.ini"));
    EXPECT_THAT(specs("Logs\\*.log"), ElementsAre("C:\\App\\Logs\\*.log"));
    EXPECT_THAT(specs("\\Temp\\x.log"), ElementsAre("C:\\Temp\\x.log"));
    EXPECT_THAT(specs("\\\\srv\\share\\*.txt"), ElementsAre("\\\\srv\\share\\*.txt"));
}

TEST(FileSpecText, SpecificationsResolveAgainstTheLineDirectory)
{
    // No line directory: everything is relative to the default directory.
    EXPECT_THAT(specs("*.txt;Logs\\*.log"), ElementsAre("C:\\App\\*.txt", "C:\\App\\Logs\\*.log"));
    // Absolute specifications after the first stay as they are.
    EXPECT_THAT(specs("C:\\Data\\a.txt;D:\\b.txt;\\\\srv\\c.txt"),
                ElementsAre("C:\\Data\\a.txt", "D:\\b.txt", "\\\\srv\\c.txt"));
    EXPECT_THAT(specs("*.txt;C:\\Other\\*.log"), ElementsAre("C:\\App\\*.txt", "C:\\Other\\*.log"));
    EXPECT_THAT(specs("D:\\Other\\a.txt;\\Root\\b.txt"), ElementsAre("D:\\Other\\a.txt", "D:\\Root\\b.txt"));
    EXPECT_THAT(specs("D:\\Other\\a.txt;C:b.txt"), ElementsAre("D:\\Other\\a.txt", "C:\\Other\\b.txt"));
    // A drive without backslash as line directory takes the default directory's path.
    EXPECT_THAT(specs("C:*.txt"), ElementsAre("C:\\App\\*.txt"));
}

TEST(FileSpecText, LinesSwitchesAndBlanks)
{
    EXPECT_THAT(specs("*.tmp /s"), ElementsAre("C:\\App\\*.tmp /s"));
    EXPECT_THAT(specs("  *.a ; ;*.b\r\n\r\n\t\n*.c\n\r*.d\r*.e;"),
                ElementsAre("C:\\App\\*.a", "C:\\App\\*.b", "C:\\App\\*.c", "C:\\App\\*.d", "C:\\App\\*.e"));
    EXPECT_THAT(specs(""), IsEmpty());
    EXPECT_THAT(specs(" ; \r\n"), IsEmpty());
}

TEST(FileSpecText, RelativeSpecificationsNeedAnAbsoluteDirectory)
{
    EXPECT_THAT(specs("*.txt;C:\\x\\a.txt", ""), ElementsAre("C:\\x\\a.txt"));
    EXPECT_THAT(specs("Logs\\*.log", ""), IsEmpty());
    EXPECT_THAT(specs("*.txt", "App"), IsEmpty());
}
