#include "platform/Directories.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"
#include "tests/win/support/ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> strings(const Vector<String>& list)
{
    std::vector<std::string> out;
    for (const String& s : list)
        out.emplace_back(s.CStr(), static_cast<size_t>(s.Length()));
    return out;
}

bool isDirectory(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

size_t indexOf(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) - list.begin();
}

} // namespace

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

TEST(Directories, DirectoryExistsAndKeepsTheCurrentDirectory)
{
    ScratchFolder scratch;
    std::string file = scratch.WriteFile("f.txt", "x");
    char before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    EXPECT_TRUE(directoryExists(scratch.Path().c_str()));
    EXPECT_FALSE(directoryExists(file.c_str()));
    EXPECT_FALSE(directoryExists((scratch / "missing").c_str()));
    EXPECT_FALSE(directoryExists(""));
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(before, after);
}

TEST(Directories, CreateDirectoryPathMakesEveryMissingLevel)
{
    ScratchFolder scratch;
    EXPECT_TRUE(createDirectoryPath((scratch / "A\\B\\C").c_str()));
    EXPECT_TRUE(isDirectory(scratch / "A"));
    EXPECT_TRUE(isDirectory(scratch / "A\\B"));
    EXPECT_TRUE(isDirectory(scratch / "A\\B\\C"));

    EXPECT_TRUE(createDirectoryPath((scratch / "A\\B\\C").c_str())); // already there
    EXPECT_TRUE(createDirectoryPath((scratch / "A\\D\\").c_str()));  // trailing backslash
    EXPECT_TRUE(isDirectory(scratch / "A\\D"));
    EXPECT_TRUE(createDirectoryPath("C:\\"));
    EXPECT_FALSE(createDirectoryPath(""));

    // A file in the way: no level below it can be made.
    scratch.WriteFile("file", "x");
    EXPECT_FALSE(createDirectoryPath((scratch / "file\\X\\Y").c_str()));
}

TEST(Directories, RemoveDirectoryTakesOnlyEmptyOnes)
{
    ScratchFolder scratch;
    CreateDirectoryA((scratch / "Empty").c_str(), nullptr);
    CreateDirectoryA((scratch / "Full").c_str(), nullptr);
    scratch.WriteFile("Full\\f.txt", "x");
    EXPECT_TRUE(removeDirectory((scratch / "Empty\\").c_str()));
    EXPECT_FALSE(isDirectory(scratch / "Empty"));
    EXPECT_FALSE(removeDirectory((scratch / "Full").c_str()));
    EXPECT_TRUE(isDirectory(scratch / "Full"));
    EXPECT_FALSE(removeDirectory("C:\\"));
}

TEST(Directories, DeleteTreeRemovesEverythingBelow)
{
    ScratchFolder scratch;
    std::string top = scratch / "Tree";
    ASSERT_TRUE(createDirectoryPath((top + "\\Sub\\Deep").c_str()));
    scratch.WriteFile("Tree\\a.txt", "a");
    scratch.WriteFile("Tree\\Sub\\b.txt", "b");
    std::string locked = scratch.WriteFile("Tree\\Sub\\Deep\\c.txt", "c");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA((top + "\\Empty").c_str(), nullptr);

    EXPECT_TRUE(deleteTree(top.c_str()));
    EXPECT_FALSE(ScratchFolder::Exists(top));
    EXPECT_FALSE(deleteTree(top.c_str())); // nothing there any more
}

TEST(Directories, DeleteTreeGoesOnPastAFileItCannotDelete)
{
    ScratchFolder scratch;
    std::string top = scratch / "Tree";
    ASSERT_TRUE(createDirectoryPath((top + "\\Sub").c_str()));
    std::string held = scratch.WriteFile("Tree\\held.txt", "h");
    scratch.WriteFile("Tree\\Sub\\b.txt", "b");
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);

    EXPECT_FALSE(deleteTree(top.c_str()));
    EXPECT_NE(0u, GetLastError());
    EXPECT_TRUE(ScratchFolder::Exists(held));
    EXPECT_FALSE(ScratchFolder::Exists(top + "\\Sub"));
    CloseHandle(h);
}

TEST(Directories, DeleteTreeRefusesRootsAndTheWindowsDirectory)
{
    initPlatformPaths();
    const std::string windows(windowsDir().CStr());
    ASSERT_FALSE(windows.empty());
    std::string upper = windows;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    const std::string refused[] = {
        "C:\\", "C:", "c:\\\\", "C:\\.", "C:\\\\.\\", windows + "\\System32\\..",
        windows, windows + "\\", upper, "\\\\server\\share\\", "",
    };
    for (const std::string& path : refused) {
        // The guard is checked on its own first, so that a fault in it cannot wipe a drive.
        ASSERT_TRUE(isProtectedTree(path.c_str())) << path;
        EXPECT_FALSE(deleteTree(path.c_str())) << path;
    }
    EXPECT_TRUE(isDirectory(windows + "\\System32"));

    ScratchFolder scratch;
    EXPECT_FALSE(isProtectedTree(scratch.Path().c_str()));
    EXPECT_FALSE(isProtectedTree((windows + "\\Temp\\x").c_str())); // below it is fine
}

class FindFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* dir : {"Data\\S1\\T", "Data\\S2", "Data\\Empty"})
            createDirectoryPath((scratch / dir).c_str());
        scratch.WriteFile("Data\\a.txt", "12345");
        scratch.WriteFile("Data\\b.log", "1");
        scratch.WriteFile("Data\\S1\\c.txt", "123");
        scratch.WriteFile("Data\\S1\\T\\d.txt", "12");
        scratch.WriteFile("Data\\S2\\e.txt", "1");
    }
    std::string in(const char* name) { return scratch / (std::string("Data\\") + name); }
    ScratchFolder scratch;
};

TEST_F(FindFilesTest, ListsTheFilesOfOneDirectory)
{
    Vector<String> list;
    list.Append("stale");
    EXPECT_EQ(5, findFiles(list, 0, in("*.txt").c_str()));
    EXPECT_THAT(strings(list), ElementsAre(in("a.txt")));

    EXPECT_EQ(6, findFiles(list, 0, in("*").c_str()));
    EXPECT_THAT(strings(list), UnorderedElementsAre(in("a.txt"), in("b.log")));

    EXPECT_EQ(6, findFiles(list, kFindListDirectories, in("*").c_str()));
    EXPECT_THAT(strings(list),
                UnorderedElementsAre(in("a.txt"), in("b.log"), in("S1"), in("S2"), in("Empty")));

    EXPECT_EQ(0, findFiles(list, 0, in("*.none").c_str()));
    EXPECT_THAT(strings(list), IsEmpty());
    EXPECT_EQ(0, findFiles(list, 0, (scratch / "Missing\\*.txt").c_str()));
    EXPECT_THAT(strings(list), IsEmpty());
}

TEST_F(FindFilesTest, SwitchSearchesSubdirectoriesAfterTheDirectoryItself)
{
    Vector<String> list;
    EXPECT_EQ(11, findFiles(list, 0, in("*.txt /s").c_str()));
    std::vector<std::string> found = strings(list);
    ASSERT_THAT(found, UnorderedElementsAre(in("a.txt"), in("S1\\c.txt"), in("S1\\T\\d.txt"), in("S2\\e.txt")));
    EXPECT_EQ(in("a.txt"), found[0]);
    // Each subdirectory's results come together, its own files before its subdirectories'.
    EXPECT_EQ(indexOf(found, in("S1\\c.txt")) + 1, indexOf(found, in("S1\\T\\d.txt")));

    Vector<String> same;
    EXPECT_EQ(11, findFiles(same, kFindRecurse, in("*.txt").c_str()));
    EXPECT_EQ(found, strings(same));

    EXPECT_EQ(11, findFiles(list, kFindRecurse | kFindListDirectories, in("*.txt").c_str()));
    EXPECT_EQ(found, strings(list)); // no directory matches *.txt
}
