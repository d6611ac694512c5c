#include "install/FileDeletions.h"
#include "platform/FileAttributes.h"
#include "platform/Win32.h"
#include "tests/win/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

FileDeletion entry(const char* path, int condition, const char* value, uint32_t flags = 0)
{
    FileDeletion e;
    e.path = path;
    e.condition = static_cast<int8_t>(condition);
    e.value = value;
    e.flags = flags;
    return e;
}

} // namespace

TEST(FileDeletions, SizeConditionAndProtectedFiles)
{
    ScratchFolder scratch;
    const std::string small = scratch.WriteFile("small.tmp", "abc");
    const std::string large = scratch.WriteFile("large.tmp", "0123456789");
    const std::string other = scratch.WriteFile("keep.txt", "x");
    const std::string hidden = scratch.WriteFile("sub.log", "y");
    ASSERT_TRUE(setAttributes(hidden.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

    Array<FileDeletion> list(2);
    list[0] = entry("*.tmp", 6, "5");
    list[1] = entry("sub.log", 0, "");
    InstallTexts texts;
    ProcessDeletions(list, scratch.Path().c_str(), texts);

    EXPECT_FALSE(ScratchFolder::Exists(small));
    EXPECT_TRUE(ScratchFolder::Exists(large));
    EXPECT_TRUE(ScratchFolder::Exists(other));
    EXPECT_FALSE(ScratchFolder::Exists(hidden));
    EXPECT_EQ("Deleted file: " + small + "\r\nDeleted file: " + hidden + "\r\n", texts.log.CStr());
    EXPECT_FALSE(texts.restartRequired);
}

TEST(FileDeletions, FileInUseIsLoggedOrScheduled)
{
    ScratchFolder scratch;
    const std::string busy = scratch.WriteFile("busy.dat", "b");
    HANDLE h = CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);

    Array<FileDeletion> now(1);
    now[0] = entry("busy.dat", 0, "");
    InstallTexts logged;
    ProcessDeletions(now, scratch.Path().c_str(), logged);
    EXPECT_EQ(0, logged.log.Find(("Failed to delete file '" + busy + "': ").c_str()));
    EXPECT_FALSE(logged.restartRequired);

    Array<FileDeletion> later(1);
    later[0] = entry("busy.dat", 0, "", 2);
    InstallTexts scheduled;
    ProcessDeletions(later, scratch.Path().c_str(), scheduled);
    CloseHandle(h);
    EXPECT_EQ(0, scheduled.log.Find(("File '" + busy + "' will be deleted after rebooting: ").c_str()));
    EXPECT_TRUE(scheduled.restartRequired);
    EXPECT_TRUE(scheduled.errors.IsEmpty());
}
