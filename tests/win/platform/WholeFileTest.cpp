#include "platform/File.h"
#include "platform/FileAttributes.h"
#include "platform/WholeFile.h"
#include "tests/win/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

} // namespace

TEST(WholeFile, WritesAndReadsEveryByte)
{
    ScratchFolder scratch;
    const std::string path = scratch / "data.bin";
    const String bytes("a\0b\r\nc", 6);
    ASSERT_TRUE(writeWholeFile(path.c_str(), bytes));
    String text("old");
    EXPECT_EQ(0, readWholeFile(path.c_str(), text));
    EXPECT_EQ(str(bytes), str(text));

    // Replacing with an empty text leaves an empty file.
    ASSERT_TRUE(writeWholeFile(path.c_str(), String()));
    EXPECT_EQ("", ScratchFolder::ReadFile(path));
    EXPECT_TRUE(ScratchFolder::Exists(path));
    EXPECT_EQ(0, readWholeFile(path.c_str(), text));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(WholeFile, Failures)
{
    ScratchFolder scratch;
    String text("kept");
    EXPECT_EQ(kOpenInvalidName, readWholeFile("", text));
    EXPECT_EQ(kOpenNotFound, readWholeFile((scratch / "missing.txt").c_str(), text));
    EXPECT_EQ("kept", str(text));
    EXPECT_FALSE(writeWholeFile("", "x"));
    EXPECT_FALSE(writeWholeFile((scratch / "no\\such\\dir.txt").c_str(), "x"));
}

TEST(WholeFile, FileExistsForFilesEvenWhenLocked)
{
    ScratchFolder scratch;
    const std::string path = scratch.WriteFile("f.txt", "x");
    EXPECT_TRUE(fileExists(path.c_str()));
    EXPECT_FALSE(fileExists((scratch / "missing.txt").c_str()));
    EXPECT_FALSE(fileExists(scratch.Path().c_str())); // a directory is no file
    EXPECT_FALSE(fileExists(""));

    FileWaitFunction before = SetFileWaitFunction([](unsigned) {});
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_TRUE(fileExists(path.c_str()));
    CloseHandle(h);
    SetFileWaitFunction(before);
}

TEST(FileAttributes, ReadOnlyAndMasks)
{
    ScratchFolder scratch;
    const std::string path = scratch.WriteFile("f.txt", "x");
    const char* p = path.c_str();
    EXPECT_FALSE(isReadOnly(p));
    EXPECT_TRUE(setReadOnly(p, true));
    EXPECT_TRUE(isReadOnly(p));
    EXPECT_TRUE(setReadOnly(p, true)); // already so
    EXPECT_TRUE(changeAttributes(p, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN, getAttributes(p) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(clearAttributes(p, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(getAttributes(p) & FILE_ATTRIBUTE_HIDDEN);

    const std::string missing = scratch / "missing.txt";
    EXPECT_EQ(-1, getAttributes(missing.c_str()));
    EXPECT_EQ(-1, getAttributes(nullptr));
    EXPECT_FALSE(isReadOnly(missing.c_str()));
    EXPECT_FALSE(setAttributes(nullptr, 0));
    EXPECT_FALSE(setReadOnly(missing.c_str(), false));
}

TEST(FileAttributes, EntriesAndTimes)
{
    ScratchFolder scratch;
    const std::string path = scratch.WriteFile("f.txt", "12345");
    FileInfo entry;
    ASSERT_TRUE(findEntry((scratch / "*.txt").c_str(), entry));
    EXPECT_EQ("f.txt", str(entry.name));
    EXPECT_EQ(5, entry.size);

    DateTime created, accessed, written;
    EXPECT_TRUE(fileTimes(path.c_str(), created, accessed, written));
    EXPECT_EQ(0, CompareDateTimes(written, entry.lastWriteTime));
    EXPECT_TRUE(created.HasDate());
    EXPECT_TRUE(accessed.HasDate());
    EXPECT_FALSE(fileTimes((scratch / "missing").c_str(), created, accessed, written));
}
