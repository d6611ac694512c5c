#include "install/FileWriter.h"
#include "platform/FileAttributes.h"
#include "platform/Win32.h"
#include "platform/portable/DateTime.h"
#include "tests/win/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

FileWriteOptions options()
{
    FileWriteOptions o;
    o.writeFailedText = "Could not write";
    return o;
}

ArchiveTime march5()
{
    ArchiveTime t;
    t.year = 2007;
    t.month = 3;
    t.day = 5;
    t.hour = 14;
    t.minute = 30;
    t.second = 10;
    return t;
}

DateTime lastWrite(const String& path)
{
    DateTime c, a, w;
    fileTimes(path.CStr(), c, a, w);
    return w;
}

} // namespace

TEST(FileWriter, WritesBytesTimeAndMaskedAttributes)
{
    ScratchFolder scratch;
    const String path = (scratch / "a.txt").c_str();
    InstallTexts texts;
    const uint32_t wanted = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_DIRECTORY; // the directory bit is not settable
    FileWriteOptions o = options();
    o.verify = true;
    ASSERT_TRUE(WriteFile(path, "hello", 5, march5(), wanted, false, o, texts));
    EXPECT_EQ("hello", ScratchFolder::ReadFile(path.CStr()));
    DateTime w = lastWrite(path);
    EXPECT_EQ(2007, w.year);
    EXPECT_EQ(5, w.day);
    EXPECT_EQ(14, w.hour);
    EXPECT_EQ(30, w.minute);
    int32_t attributes = getAttributes(path.CStr());
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN,
              attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(texts.errors.IsEmpty());
    EXPECT_TRUE(texts.log.IsEmpty());
}

TEST(FileWriter, UnsetTimeAndKeptAttributesStayAsWritten)
{
    ScratchFolder scratch;
    const String path = (scratch / "b.txt").c_str();
    InstallTexts texts;
    ArchiveTime noDate = march5();
    noDate.month = 0;
    ASSERT_TRUE(WriteFile(path, "", 0, noDate, 0xFFFFFFFFu, false, options(), texts));
    EXPECT_NE(2007, lastWrite(path).year);
    EXPECT_FALSE(isReadOnly(path.CStr()));
}

// (The test bed lets a read-only file be replaced, so only the path with clearing is checked.)
TEST(FileWriter, ReadOnlyDestinationWithAttributeClearing)
{
    ScratchFolder scratch;
    const String path = scratch.WriteFile("ro.txt", "old").c_str();
    ASSERT_TRUE(setReadOnly(path.CStr(), true));

    InstallTexts texts;
    FileWriteOptions o = options();
    o.clearAttributesOnFailure = true;
    EXPECT_TRUE(WriteFile(path, "new", 3, march5(), 0xFFFFFFFFu, false, o, texts));
    EXPECT_EQ("new", ScratchFolder::ReadFile(path.CStr()));
}

TEST(FileWriter, FileInUseIsReplacedAtRestartWhenItExisted)
{
    ScratchFolder scratch;
    const String path = scratch.WriteFile("busy.dll", "old").c_str();
    HANDLE h = CreateFileA(path.CStr(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);

    InstallTexts fresh;
    EXPECT_FALSE(WriteFile(path, "new", 3, march5(), 0xFFFFFFFFu, false, options(), fresh));
    EXPECT_FALSE(fresh.restartRequired);
    EXPECT_EQ(0, fresh.errors.Find("Could not write "));

    InstallTexts texts;
    EXPECT_FALSE(WriteFile(path, "new", 3, march5(), 0xFFFFFFFFu, true, options(), texts));
    CloseHandle(h);
    EXPECT_TRUE(texts.restartRequired);
    EXPECT_TRUE(texts.errors.IsEmpty());
    EXPECT_EQ(0, texts.log.Find("Could not write "));
    std::string log = texts.log.CStr();
    const std::string registered = " has been successfully registered for replacement.\r\n"
                                   "Temporary file is ";
    size_t at = log.find(std::string(path.CStr()) + registered);
    ASSERT_NE(std::string::npos, at);
    std::string temporary = log.substr(at + path.Length() + registered.size());
    temporary = temporary.substr(0, temporary.find("\r\n"));
    EXPECT_EQ("new", ScratchFolder::ReadFile(temporary));
    EXPECT_NE(std::string::npos, temporary.find("QVT"));
    EXPECT_EQ(log.size() - 4, log.find("Reboot will be required.\r\n\r\n") + 24);
}
