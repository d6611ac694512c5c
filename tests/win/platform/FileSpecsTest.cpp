#include "platform/Directories.h"
#include "platform/FileSpecs.h"
#include "platform/Win32.h"
#include "tests/win/support/ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class FileSpecsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* dir : {"App\\Sub\\Deep", "Other", "Temp"})
            createDirectoryPath((scratch / dir).c_str());
        for (const char* file : {"App\\a.tmp", "App\\b.TMP", "App\\c.txt", "App\\Sub\\d.tmp",
                                 "App\\Sub\\Deep\\e.tmp", "Other\\a.txt", "Other\\b.txt", "Temp\\x.log"})
            scratch.WriteFile(file, "x");
    }
    std::string app(const char* name) { return scratch / (std::string("App\\") + name); }
    std::vector<std::string> expand(const std::string& text)
    {
        Vector<String> result;
        expandFileSpecs(text.c_str(), result, (scratch / "App").c_str());
        std::vector<std::string> out;
        for (const String& s : result)
            out.emplace_back(s.CStr(), static_cast<size_t>(s.Length()));
        return out;
    }
    ScratchFolder scratch;
};

TEST_F(FileSpecsTest, RelativeSpecificationsUseTheDefaultDirectory)
{
    EXPECT_THAT(expand("*.tmp"), UnorderedElementsAre(app("a.tmp"), app("b.TMP")));
    EXPECT_THAT(expand("Sub\\*.tmp"), ElementsAre(app("Sub\\d.tmp")));
    EXPECT_THAT(expand("c.txt;missing.txt;;*.none"), ElementsAre(app("c.txt")));
}

TEST_F(FileSpecsTest, SwitchAddsSubdirectoriesAfterTheDirectory)
{
    std::vector<std::string> found = expand("*.tmp /s");
    ASSERT_EQ(4u, found.size());
    EXPECT_THAT(std::vector<std::string>(found.begin(), found.begin() + 2),
                UnorderedElementsAre(app("a.tmp"), app("b.TMP")));
    EXPECT_EQ(app("Sub\\d.tmp"), found[2]);
    EXPECT_EQ(app("Sub\\Deep\\e.tmp"), found[3]);
}

TEST_F(FileSpecsTest, LineDirectoriesAndAbsoluteSpecifications)
{
    const std::string other = scratch / "Other";
    EXPECT_THAT(expand(other + "\\a.txt;b.txt"), ElementsAre(other + "\\a.txt", other + "\\b.txt"));
    // A path from the root gets the default directory's drive.
    const std::string log = scratch / "Temp\\x.log";
    EXPECT_THAT(expand(log.substr(2)), ElementsAre(log));
    EXPECT_THAT(expand("c.txt\r\n" + other + "\\*.txt;" + app("a.tmp")),
                ElementsAre(app("c.txt"), other + "\\a.txt", other + "\\b.txt", app("a.tmp")));
}

TEST_F(FileSpecsTest, EachFileOnlyOnce)
{
    EXPECT_THAT(expand("*.txt\n" + scratch.Path() + "\\APP\\*.TXT"), ElementsAre(app("c.txt")));
    EXPECT_THAT(expand("*.tmp;a.tmp /s"), UnorderedElementsAre(app("a.tmp"), app("b.TMP")));

    Vector<String> result;
    result.Append(app("C.TXT").c_str());
    expandFileSpecs("*.txt;Missing\\*.txt", result, (scratch / "App").c_str());
    EXPECT_EQ(1, result.Count());
}

TEST_F(FileSpecsTest, NothingForEmptyTextsAndMissingDirectories)
{
    EXPECT_THAT(expand(""), IsEmpty());
    EXPECT_THAT(expand("\r\n  \r\n"), IsEmpty());
    EXPECT_THAT(expand("Missing\\*.*"), IsEmpty());
    EXPECT_THAT(expand(scratch / "Missing\\*.* /s"), IsEmpty());
    EXPECT_THAT(expand("*.*"), UnorderedElementsAre(app("a.tmp"), app("b.TMP"), app("c.txt")));
}
