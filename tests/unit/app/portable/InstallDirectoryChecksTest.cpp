#include "app/portable/InstallDirectoryChecks.h"

#include "app/portable/SequenceMessages.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

bool onlyCAndD(char letter)
{
    return letter == 'C' || letter == 'D';
}

Vector<int32_t> sizes(std::initializer_list<int32_t> values)
{
    Vector<int32_t> out;
    for (int32_t v : values)
        out.Append(v);
    return out;
}

} // namespace

TEST(InstallDirectoryChecks, TrimmingLeavesTheTextOrNothing)
{
    String dir(" \t\r\nC:\\Prog Dir \r\n");
    EXPECT_TRUE(trimInstallDirectory(dir));
    EXPECT_STREQ("C:\\Prog Dir", dir.CStr());
    String blank(" \r\n\t ");
    EXPECT_FALSE(trimInstallDirectory(blank));
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(InstallDirectoryChecks, VerdictOfEachText)
{
    DirectoryCheckContext context;
    context.programFilesDir = "C:\\Program Files";
    context.driveHasRoot = onlyCAndD;
    DirectoryCheckContext refusing = context;
    refusing.refuseNetwork = true;

    struct Case {
        const char* dir;
        bool refuseNetwork;
        int expected;
    } cases[] = {
        {"C:\\Product", false, 0},
        {"d:\\a\\b c\\d", false, 0},
        {"C:\\Pro*duct", false, kMsgInvalidDirectory},
        {"C:\\a?b", false, kMsgInvalidDirectory},
        {"C:\\a/b", false, kMsgInvalidDirectory},
        {"C:\\a<b>", false, kMsgInvalidDirectory},
        {"C:\\a|b", false, kMsgInvalidDirectory},
        {"C:\\a;b", false, kMsgInvalidDirectory},
        {"C:\\a:b", false, kMsgInvalidDirectory},
        {"C:\\a\"b", false, kMsgInvalidDirectory},   // a quote inside stays forbidden
        {"1:\\Product", false, kMsgInvalidDirectory}, // colon after a non-letter
        {"Product", false, kMsgInvalidDirectory},      // relative
        {"\\Product", false, kMsgInvalidDirectory},    // no drive
        {"C:Product", false, kMsgInvalidDirectory},    // drive-relative
        {"\"C:\\Product\"", false, kMsgInvalidDirectory}, // quoted: not absolute
        {"\\\\server\\share\\dir", false, 0},
        {"\\\\server\\share\\dir", true, kMsgNetworkDirectory},
        {"E:\\Product", false, kMsgNoSuchDrive},
        {"C:\\", false, kMsgRootDirectory},
        {"E:\\", false, kMsgNoSuchDrive},               // the drive is checked before the root
        {"\\\\a", false, kMsgRootDirectory},
        {"C:\\Program Files", false, kMsgProgramFilesDirectory},
        {"c:\\PROGRAM FILES\\", false, kMsgProgramFilesDirectory},
        {"C:\\Program Files\\\\", false, kMsgProgramFilesDirectory},
        {"C:\\Program Files\\Product", false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, checkInstallDirectory(String(c.dir), c.refuseNetwork ? refusing : context))
            << c.dir;
}

TEST(InstallDirectoryChecks, SurroundingQuotesAreNotForbidden)
{
    EXPECT_TRUE(hasOnlyPathCharacters(String("\"C:\\Product\"")));
    EXPECT_FALSE(hasOnlyPathCharacters(String("\"\"")));
    EXPECT_FALSE(hasOnlyPathCharacters(String("\"C:\\Product")));
}

TEST(InstallDirectoryChecks, NeededSpaceRoundsEachFileToClusters)
{
    struct Case {
        std::initializer_list<int32_t> files;
        int64_t cluster;
        int64_t expected;
    } cases[] = {
        {{1, 4096, 4097, 0}, 4096, 4096 + 4096 + 8192},
        {{1, 2, 3}, 1, 6},
        {{1, 2, 3}, 0, 6},
        {{1, 2, 3}, -512, 6},
        {{}, 4096, 0},
        // Sums and cluster sizes beyond 32 bits.
        {{0x7fffffff, 0x7fffffff, 0x7fffffff}, 4096, 3 * int64_t{0x80000000}},
        {{1, 1}, int64_t{1} << 33, int64_t{1} << 34},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, neededDiskSpace(sizes(c.files), c.cluster)) << c.cluster;
}

TEST(InstallDirectoryChecks, ShortWhenNeededReachesFree)
{
    EXPECT_TRUE(diskSpaceShort(1000, 1000));
    EXPECT_TRUE(diskSpaceShort(1001, 1000));
    EXPECT_FALSE(diskSpaceShort(999, 1000));
    EXPECT_TRUE(diskSpaceShort(int64_t{5} << 32, int64_t{1} << 32));
}
