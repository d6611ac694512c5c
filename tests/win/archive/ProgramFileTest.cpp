#include "archive/ProgramFile.h"

#include "platform/Win32.h"

#include <gtest/gtest.h>

namespace {

// A temporary file holding bytes; removed at the end of the test.
class TempFile {
public:
    explicit TempFile(const char* bytes, DWORD size)
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "pf", 0, path_);
        HANDLE h = CreateFileA(path_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(h, bytes, size, &written, nullptr);
        CloseHandle(h);
    }
    ~TempFile() { DeleteFileA(path_); }
    const char* path() const { return path_; }

private:
    char path_[MAX_PATH] = {};
};

} // namespace

TEST(ProgramFile, ReadsAtOffsetsWithinTheFile)
{
    TempFile temp("0123456789", 10);
    ProgramFile file;
    ASSERT_TRUE(file.open(temp.path()));
    EXPECT_EQ(file.size(), 10u);
    char buffer[4] = {};
    ASSERT_TRUE(file.readAt(6, buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "6789");
    ASSERT_TRUE(file.readAt(1, buffer, 2));
    EXPECT_EQ(std::string(buffer, 2), "12");
    EXPECT_TRUE(file.readAt(10, buffer, 0));
    EXPECT_FALSE(file.readAt(7, buffer, 4));    // passes the end
    EXPECT_FALSE(file.readAt(11, buffer, 0));   // starts beyond it
    EXPECT_TRUE(file.seek(10));
    EXPECT_FALSE(file.seek(11));
}

TEST(ProgramFile, OthersMayReadWhileItIsOpen)
{
    TempFile temp("abc", 3);
    ProgramFile file;
    ASSERT_TRUE(file.open(temp.path()));
    HANDLE reader = CreateFileA(temp.path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    HANDLE writer = CreateFileA(temp.path(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);   // no one writes the program while it is read
    if (writer != INVALID_HANDLE_VALUE)
        CloseHandle(writer);
}

TEST(ProgramFile, MissingFileDoesNotOpen)
{
    ProgramFile file;
    EXPECT_FALSE(file.open("C:\\no such folder\\setup.EXE"));
    EXPECT_FALSE(file.isOpen());
    char c;
    EXPECT_FALSE(file.readAt(0, &c, 1));
}
