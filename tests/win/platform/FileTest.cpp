#include "platform/File.h"
#include "platform/FileTime.h"
#include "platform/FindFile.h"
#include "tests/win/support/ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

std::string tempDirectory()
{
    char temp[MAX_PATH + 1];
    std::string dir(temp, GetTempPathA(sizeof temp, temp));
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    return dir;
}

std::string parentOf(const std::string& path)
{
    return path.substr(0, path.rfind('\\'));
}

std::string nameOf(const std::string& path)
{
    return path.substr(path.rfind('\\') + 1);
}

// Records the pauses of the open and append retries instead of sleeping; can run an action at
// the n-th pause (1-based).
struct WaitRecorder {
    static std::vector<unsigned> waits;
    static size_t actionAt;
    static void (*action)();

    static void record(unsigned milliseconds)
    {
        waits.push_back(milliseconds);
        if (action && waits.size() == actionAt)
            action();
    }

    WaitRecorder()
    {
        waits.clear();
        action = nullptr;
        previous = SetFileWaitFunction(record);
    }
    ~WaitRecorder() { SetFileWaitFunction(previous); }

    FileWaitFunction previous;
};
std::vector<unsigned> WaitRecorder::waits;
size_t WaitRecorder::actionAt = 0;
void (*WaitRecorder::action)() = nullptr;

// A second handle on a file, as another program holds it.
HANDLE holdFile(const std::string& path, DWORD access, DWORD share)
{
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class FileTest : public testing::Test {
protected:
    ScratchFolder scratch;
};

} // namespace

TEST(OpenErrorText, EachCodeHasItsText)
{
    const char* const texts[] = {
        "The file was successfully opened.",
        "An unknown error occurred.",
        "The filename is invalid.",
        "The file was not found.",
        "The directory does not exist.",
        "The file is locked by another application.",
        "Failed to read the file into memory.",
        "Too many files are already open.",
        "An invalid parameter was used.",
        "The file already exists.",
        "Too many indexed files exist.",
        "Access denied.",
        "The file's Read-Only attribute is set.",
    };
    for (int code = 0; code <= 12; ++code)
        EXPECT_STREQ(texts[code], OpenErrorText(code)) << code;
    EXPECT_STREQ("An unknown error occurred.", OpenErrorText(13));
    EXPECT_STREQ("An unknown error occurred.", OpenErrorText(-1));
}

TEST_F(FileTest, CreationValues)
{
    struct Case {
        bool exists;
        unsigned mode;
        int code;
        const char* contentAfter;  // null: no file
        bool openAfter;
    };
    const Case cases[] = {
        {false, 0, kOpenOk, "", true},
        {false, 1, kOpenNotFound, nullptr, false},
        {false, 2, kOpenOk, "", true},
        {false, 3, kOpenOk, "", true},
        {true, 0, kOpenOk, "abc", true},
        {true, 1, kOpenOk, "abc", true},
        {true, 2, kOpenExists, "abc", false},
        {true, 3, kOpenOk, "", true},
        {true, 0xB19, kOpenOk, "abc", false},   // the existence test: opens and closes again
        {false, 0xB19, kOpenNotFound, nullptr, false},
        {false, 0x800, kOpenOk, "", false},     // a create only
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << i << " mode 0x" << std::hex << c.mode);
        std::string path = scratch / ("c" + std::to_string(i++));
        if (c.exists)
            scratch.WriteFile(nameOf(path), "abc");
        File file;
        EXPECT_EQ(c.code, file.Open(path.c_str(), c.mode));
        EXPECT_EQ(c.openAfter, file.IsOpen());
        EXPECT_EQ(path, str(file.Path()));
        if (c.code != kOpenOk) {
            EXPECT_EQ(OpenErrorText(c.code), str(file.LastError()));
        }
        file.Close();
        if (c.contentAfter)
            EXPECT_EQ(c.contentAfter, ScratchFolder::ReadFile(path));
        else
            EXPECT_FALSE(ScratchFolder::Exists(path));
    }
}

TEST_F(FileTest, FailureCodes)
{
    std::string readOnly = scratch.WriteFile("ro.txt", "x");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case {
        std::string name;
        unsigned mode;
        int code;
    };
    const Case cases[] = {
        {"", 1, kOpenInvalidName},
        {"", 0, kOpenInvalidName},
        {"", kNameInTempDir, kOpenInvalidName},
        {scratch / "missing\\x.txt", 1, kOpenNoDirectory},
        {scratch / "a?b.txt", 0, kOpenInvalidName},
        {scratch.Path(), 1, kOpenAccessDenied},            // a directory, asked for writing
        {readOnly, 1, kOpenReadOnly},                      // writing a read-only file
        {readOnly, 0x11, kOpenOk},                         // reading it is fine
        {readOnly, 0x99, kOpenMemoryFailed},               // into memory without reading
    };
    // Wine run by root does not refuse to write a read-only file.
    HANDLE probe = CreateFileA(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    bool readOnlyEnforced = probe == INVALID_HANDLE_VALUE;
    if (!readOnlyEnforced)
        CloseHandle(probe);
    for (const Case& c : cases) {
        if (c.code == kOpenReadOnly && !readOnlyEnforced)
            continue;
        SCOPED_TRACE(c.name + " mode " + std::to_string(c.mode));
        File file;
        int code = file.Open(c.name.c_str(), c.mode);
        EXPECT_EQ(c.code, code);
        EXPECT_EQ(c.code == kOpenOk, file.IsOpen());
        if (c.code != kOpenOk) {
            EXPECT_EQ(OpenErrorText(c.code), str(file.LastError()));
        }
    }
    File file;
    EXPECT_EQ(kOpenInvalidName, file.Open(nullptr, 1));
    EXPECT_EQ("The filename is invalid.", str(file.LastError()));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileRequired, OpenFailureIsFatal)
{
    // The death test runs in a new process: the path must not depend on a scratch folder.
    std::string path = tempDirectory() + "\\quiv-no-such-file.txt";
    File file;
    EXPECT_EXIT(file.Open(path.c_str(), 0x21), testing::ExitedWithCode(3),
                testing::HasSubstr("Failed to open required file:\r\n" + path + "\r\n\r\nThe file was not found."));
}

TEST_F(FileTest, SharingViolationIsRetried)
{
    std::string path = scratch.WriteFile("locked.txt", "abc");
    HANDLE other = holdFile(path, GENERIC_READ, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    struct Case {
        unsigned mode;
        std::vector<unsigned> waits;
    };
    const Case cases[] = {
        {1, {100, 100, 100, 100, 100}},   // six attempts
        {0x1001, {}},                     // one
        {0x41, {150, 100, 100}},          // four
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        WaitRecorder recorder;
        File file;
        EXPECT_EQ(kOpenLocked, file.Open(path.c_str(), c.mode));
        EXPECT_EQ("The file is locked by another application.", str(file.LastError()));
        EXPECT_EQ(c.waits, WaitRecorder::waits);
        EXPECT_FALSE(file.IsOpen());
    }
    CloseHandle(other);
}

TEST_F(FileTest, RetryOnceAppliesToAnyFailure)
{
    WaitRecorder recorder;
    File file;
    EXPECT_EQ(kOpenNotFound, file.Open((scratch / "missing").c_str(), 0x41));
    EXPECT_EQ(std::vector<unsigned>{150}, WaitRecorder::waits);
}

namespace {
HANDLE heldHandle = INVALID_HANDLE_VALUE;
void releaseHeld()
{
    CloseHandle(heldHandle);
    heldHandle = INVALID_HANDLE_VALUE;
}
} // namespace

TEST_F(FileTest, RetryOpensTheFileOnceItIsReleased)
{
    std::string path = scratch.WriteFile("locked.txt", "abc");
    heldHandle = holdFile(path, GENERIC_READ, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, heldHandle);
    WaitRecorder recorder;
    WaitRecorder::action = releaseHeld;
    WaitRecorder::actionAt = 2;
    File file;
    EXPECT_EQ(kOpenOk, file.Open(path.c_str(), 1));
    EXPECT_EQ(2u, WaitRecorder::waits.size());
    EXPECT_EQ(3, file.Size());
}

// Sharing one side implies the other when that access is not asked for, so that a reader that
// shares reading also lets writers in (and a writer that shares writing lets readers in).
TEST_F(FileTest, SharingCompletions)
{
    std::string path = scratch.WriteFile("shared.txt", "abc");
    struct Case {
        DWORD otherAccess;
        unsigned mode;
        int code;
    };
    const Case cases[] = {
        {GENERIC_WRITE, 0x111, kOpenOk},      // read only, share read: write sharing added
        {GENERIC_WRITE, 0x1011, kOpenLocked}, // read only, no sharing
        {GENERIC_READ, 0x208, kOpenOk},       // write only, share write: read sharing added
        {GENERIC_READ, 0x1008, kOpenLocked},  // write only, no sharing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        HANDLE other = holdFile(path, c.otherAccess, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_NE(INVALID_HANDLE_VALUE, other);
        File file;
        EXPECT_EQ(c.code, file.Open(path.c_str(), c.mode));
        file.Close();
        CloseHandle(other);
    }
}

TEST_F(FileTest, AccessAndBlockErrors)
{
    std::string path = scratch.WriteFile("a.txt", "0123456789");
    char buffer[16];
    File file;
    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), 0x11));
    EXPECT_FALSE(file.WriteBlock("x", 1));
    EXPECT_EQ("Write access denied", str(file.LastError()));
    EXPECT_FALSE(file.Truncate());
    EXPECT_EQ("Write access denied", str(file.LastError()));
    EXPECT_FALSE(file.ReadBlock(buffer, -1));
    EXPECT_EQ("Illegal block size -1", str(file.LastError()));
    EXPECT_FALSE(file.ReadBlock(nullptr, 1));
    EXPECT_EQ("NULL block pointer", str(file.LastError()));
    EXPECT_TRUE(file.ReadBlock(nullptr, 0));

    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), 0x09));
    EXPECT_FALSE(file.ReadBlock(buffer, 1));
    EXPECT_EQ("Read access denied", str(file.LastError()));
    EXPECT_FALSE(file.WriteBlock("x", -2));
    EXPECT_EQ("Illegal block size", str(file.LastError()));
    EXPECT_TRUE(file.WriteBlock("x", 1));
    file.Close();
    EXPECT_EQ("x123456789", ScratchFolder::ReadFile(path));

    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(-1, file.Size());
    EXPECT_EQ(-1, file.Position());
    EXPECT_TRUE(file.AtEnd());
}

// The same reads on the file and on its memory image.
class FileReadTest : public FileTest, public testing::WithParamInterface<unsigned> {};

TEST_P(FileReadTest, ReadPastEnd)
{
    std::string path = scratch.WriteFile("a.txt", "0123456789");
    File file;
    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), GetParam()));
    EXPECT_EQ((GetParam() & kOpenIntoMemory) != 0, file.InMemory());
    ASSERT_TRUE(file.Seek(6));
    char buffer[10];
    std::memset(buffer, 'z', sizeof buffer);
    EXPECT_FALSE(file.ReadBlock(buffer, 10));
    EXPECT_EQ("Read past end of file", str(file.LastError()));
    EXPECT_EQ(std::string("6789\0\0\0\0\0\0", 10), std::string(buffer, 10));
    EXPECT_EQ(10, file.Position());
    EXPECT_TRUE(file.AtEnd());
}

TEST_P(FileReadTest, SavedPositionsAndPlacedReads)
{
    std::string path = scratch.WriteFile("a.txt", std::string("0123456789ab\0cd", 15));
    File file;
    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), GetParam()));
    EXPECT_EQ(15, file.Size());
    ASSERT_TRUE(file.Seek(3));

    EXPECT_EQ(static_cast<int>(0x80000000u), file.PopPosition());
    EXPECT_EQ(3, file.Position());
    EXPECT_EQ(3, file.PushPosition());
    EXPECT_TRUE(file.PushPositionAndSeek(7));
    EXPECT_TRUE(file.PushPositionAndSeekEnd());
    EXPECT_EQ(15, file.Position());
    EXPECT_EQ(7, file.PopPosition());
    EXPECT_EQ(7, file.Position());
    EXPECT_EQ(3, file.PopPosition());
    EXPECT_TRUE(file.Seek(5));
    EXPECT_EQ(3, file.PopPosition());
    EXPECT_EQ(3, file.Position());
    EXPECT_EQ(static_cast<int>(0x80000000u), file.PopPosition());

    char buffer[4] = {};
    EXPECT_TRUE(file.ReadAt(8, buffer, 4));
    EXPECT_EQ("89ab", std::string(buffer, 4));
    EXPECT_EQ(3, file.Position());
    EXPECT_TRUE(file.ReadTail(buffer, 2));
    EXPECT_EQ("cd", std::string(buffer, 2));
    EXPECT_FALSE(file.ReadTail(buffer, 0));
    EXPECT_FALSE(file.ReadTail(buffer, 16));
    EXPECT_EQ(3, file.Position());

    String out("old");
    EXPECT_TRUE(file.ReadRange(out, 10, 5));
    EXPECT_EQ(std::string("ab\0cd", 5), str(out));
    EXPECT_TRUE(file.ReadRange(out, 15, 0));
    EXPECT_TRUE(out.IsEmpty());
    out = "old";
    EXPECT_FALSE(file.ReadRange(out, 11, 5));
    EXPECT_TRUE(out.IsEmpty());
    out = "old";
    EXPECT_FALSE(file.ReadRange(out, -1, 2));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(3, file.Position());

    ASSERT_TRUE(file.Seek(10));
    EXPECT_EQ("ab", str(file.ReadZString()));
    EXPECT_EQ(13, file.Position());
    EXPECT_EQ("cd", str(file.ReadZString()));
    EXPECT_TRUE(file.AtEnd());
    EXPECT_FALSE(file.Seek(-1));
}

INSTANTIATE_TEST_SUITE_P(DiskAndMemory, FileReadTest, testing::Values(kOpenExistingOnly, kOpenExistingOnly | kOpenIntoMemory));

TEST_F(FileTest, WriteTextAppendsAndKeepsThePosition)
{
    for (unsigned mode : {unsigned(kOpenExistingOnly), kOpenExistingOnly | kOpenIntoMemory}) {
        SCOPED_TRACE(mode);
        std::string path = scratch.WriteFile("t.txt", "hello");
        File file;
        ASSERT_EQ(kOpenOk, file.Open(path.c_str(), mode));
        ASSERT_TRUE(file.Seek(2));
        EXPECT_TRUE(file.WriteText(" world"));
        EXPECT_EQ(2, file.Position());
        EXPECT_TRUE(file.EnsureTrailingLineBreak());
        EXPECT_TRUE(file.EnsureTrailingLineBreak());
        EXPECT_EQ(2, file.Position());
        ASSERT_TRUE(file.SeekFromEnd(0));
        EXPECT_TRUE(file.WriteText("!"));
        EXPECT_EQ(file.Size(), file.Position());
        file.Close();
        EXPECT_EQ("hello world\r\n!", ScratchFolder::ReadFile(path));
    }
}

TEST_F(FileTest, TrailingLineBreak)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "\r\n"}, {"a", "a\r\n"}, {"a\n", "a\n"}, {"a\r", "a\r"}, {"a\r\n", "a\r\n"},
    };
    for (const auto& c : cases) {
        std::string path = scratch.WriteFile("t.txt", c.first);
        File file;
        ASSERT_EQ(kOpenOk, file.Open(path.c_str(), 1));
        EXPECT_TRUE(file.EnsureTrailingLineBreak());
        file.Close();
        EXPECT_EQ(c.second, ScratchFolder::ReadFile(path)) << c.first;
    }
}

TEST_F(FileTest, LargeWritesGoOutWhole)
{
    std::string bytes(2 * 1048576 + 1048575 + 7, 0);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 4099);
    std::string path = scratch / "big.bin";
    File file;
    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), kOpenCreateAlways));
    file.SetFlushAfterWrite(true);
    EXPECT_TRUE(file.WriteBlock(bytes.data(), static_cast<int>(bytes.size())));
    EXPECT_EQ(static_cast<int>(bytes.size()), file.Size());
    file.Close();
    EXPECT_TRUE(ScratchFolder::ReadFile(path) == bytes);
}

TEST_F(FileTest, TruncateCutsAtThePosition)
{
    std::string path = scratch.WriteFile("t.txt", "abcdef");
    File file;
    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), 1));
    ASSERT_TRUE(file.Seek(3));
    EXPECT_TRUE(file.Truncate());
    EXPECT_EQ(3, file.Size());
    file.Close();
    EXPECT_EQ("abc", ScratchFolder::ReadFile(path));
}

TEST_F(FileTest, MemoryImageIsWrittenBackOnClose)
{
    std::string path = scratch.WriteFile("m.txt", "abcdef");
    File file;
    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), kOpenExistingOnly | kOpenIntoMemory | kOpenAtEnd | kOpenShareRead));
    EXPECT_TRUE(file.InMemory());
    EXPECT_EQ(6, file.Position());
    EXPECT_FALSE(file.Seek(7));   // not beyond the image
    ASSERT_TRUE(file.Seek(2));
    EXPECT_TRUE(file.WriteBlock("XY", 2));
    EXPECT_TRUE(file.Truncate());
    EXPECT_EQ(4, file.Size());
    EXPECT_EQ("abcdef", ScratchFolder::ReadFile(path));   // nothing written yet
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ("abXY", ScratchFolder::ReadFile(path));

    // An image that was only read leaves the file alone.
    ASSERT_EQ(kOpenOk, file.Open(path.c_str(), kOpenExistingOnly | kOpenIntoMemory | kOpenShareRead | kOpenShareWrite));
    scratch.WriteFile("m.txt", "changed meanwhile");
    file.Close();
    EXPECT_EQ("changed meanwhile", ScratchFolder::ReadFile(path));
}

TEST_F(FileTest, TemporaryNames)
{
    std::string temp = tempDirectory();
    std::string beside = scratch / "some.txt";
    struct Case {
        unsigned mode;
        std::string name;
        std::string dir;
    };
    const Case cases[] = {
        {kNameNewTemp, "", temp},
        {kNameNewTemp | kOpenCreateNew, "ignored", temp},   // the creation value becomes 3
        {kNameNewTempInDir, scratch.Path(), scratch.Path()},
        {kNameNewTempBeside, beside, scratch.Path()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        File file;
        ASSERT_EQ(kOpenOk, file.Open(c.name.c_str(), c.mode));
        std::string path = str(file.Path());
        EXPECT_EQ(c.dir, parentOf(path));
        EXPECT_EQ("QVT", nameOf(path).substr(0, 3));
        EXPECT_EQ(0, file.Size());
        EXPECT_TRUE(file.WriteText("x"));
        file.Close();
        EXPECT_EQ("x", ScratchFolder::ReadFile(path));
        DeleteFileA(path.c_str());
    }
    EXPECT_FALSE(ScratchFolder::Exists(beside));

    File file;
    ASSERT_EQ(kOpenOk, file.Open("quiv-file-test.txt", kNameInTempDir | kOpenCreateAlways));
    EXPECT_EQ(temp + "\\quiv-file-test.txt", str(file.Path()));
    file.Close();
    EXPECT_TRUE(ScratchFolder::Exists(temp + "\\quiv-file-test.txt"));
    DeleteFileA((temp + "\\quiv-file-test.txt").c_str());

    // A temporary file in a folder that does not exist.
    EXPECT_NE(kOpenOk, file.Open((scratch / "none").c_str(), kNameNewTempInDir));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.LastError().IsEmpty());
}

TEST_F(FileTest, ModifiedTimeReadsBack)
{
    DateTime t;
    t.year = 2001;
    t.month = 2;
    t.day = 3;
    t.hour = 4;
    t.minute = 5;
    t.second = 6;
    for (unsigned mode : {unsigned(kOpenExistingOnly), kOpenExistingOnly | kOpenIntoMemory}) {
        SCOPED_TRACE(mode);
        std::string path = scratch.WriteFile("t.txt", "abc");
        File file;
        ASSERT_EQ(kOpenOk, file.Open(path.c_str(), mode));
        EXPECT_TRUE(file.WriteText("def"));   // in memory: the write-back must not spoil the time
        EXPECT_TRUE(file.SetModifiedTime(t));
        EXPECT_FALSE(file.SetModifiedTime(DateTime()));
        file.Close();
        EXPECT_EQ("abcdef", ScratchFolder::ReadFile(path));

        FindFile find;
        FileInfo info;
        ASSERT_TRUE(find.FindFirst(path.c_str(), &info));
        EXPECT_EQ(0, CompareDateTimes(t, info.lastWriteTime));
        EXPECT_EQ(2001, info.lastWriteTime.year);
        EXPECT_EQ(6, info.lastWriteTime.second);
    }
}

TEST_F(FileTest, AppendToFile)
{
    std::string path = scratch / "log.txt";
    EXPECT_FALSE(AppendToFile(path.c_str(), "x", kAppendExistingOnly));
    EXPECT_FALSE(ScratchFolder::Exists(path));
    EXPECT_TRUE(AppendToFile(path.c_str(), "one", 0));
    EXPECT_TRUE(AppendToFile(path.c_str(), "two", kAppendLineBreakFirst | kAppendExistingOnly));
    EXPECT_TRUE(AppendToFile(path.c_str(), "", kAppendLineBreakFirst));
    EXPECT_TRUE(AppendToFile(path.c_str(), "", kAppendLineBreakFirst));
    EXPECT_EQ("one\r\ntwo\r\n", ScratchFolder::ReadFile(path));
    EXPECT_FALSE(AppendToFile("", "x", 0));
    EXPECT_FALSE(AppendToFile(nullptr, "x", 0));

    WaitRecorder recorder;
    HANDLE other = holdFile(path, GENERIC_READ, 0);
    EXPECT_FALSE(AppendToFile(path.c_str(), "three", 0));
    CloseHandle(other);
    EXPECT_EQ("one\r\ntwo\r\n", ScratchFolder::ReadFile(path));
}

TEST_F(FileTest, FindListsEntries)
{
    scratch.WriteFile("a.txt", "abc");
    scratch.WriteFile("b.dat", "");
    CreateDirectoryA((scratch / "sub").c_str(), nullptr);
    // A sparse file beyond 4 GB shows the high part of the size.
    HANDLE big = CreateFileA((scratch / "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, big);
    LARGE_INTEGER end;
    end.QuadPart = 0x100000005LL;
    ASSERT_TRUE(SetFilePointerEx(big, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(big));
    CloseHandle(big);

    FindFile find;
    FileInfo info;
    std::set<std::string> names;
    for (bool more = find.FindFirst((scratch / "*").c_str(), &info); more; more = find.FindNext(&info)) {
        std::string name = str(info.name);
        names.insert(name);
        if (name == "a.txt") {
            EXPECT_EQ(3, info.size);
            EXPECT_EQ(0u, info.attributes & FILE_ATTRIBUTE_DIRECTORY);
            EXPECT_TRUE(info.lastWriteTime.HasDate());
        } else if (name == "big.bin") {
            EXPECT_EQ(0x100000005LL, info.size);
        } else if (name == "sub") {
            EXPECT_NE(0u, info.attributes & FILE_ATTRIBUTE_DIRECTORY);
        }
    }
    EXPECT_TRUE(names.count("a.txt") && names.count("b.dat") && names.count("sub") && names.count("big.bin"));
    EXPECT_FALSE(find.FindNext(&info));   // the listing has ended

    FileInfo untouched;
    untouched.name = "kept";
    EXPECT_FALSE(find.FindFirst((scratch / "*.none").c_str(), &untouched));
    EXPECT_EQ("kept", str(untouched.name));
    EXPECT_TRUE(find.FindFirst((scratch / "*.dat").c_str(), nullptr));
    find.EndFind();
    EXPECT_FALSE(find.FindNext(&info));
}

namespace {
HANDLE heldForWriteText = INVALID_HANDLE_VALUE;
void releaseHeldFile()
{
    CloseHandle(heldForWriteText);
    heldForWriteText = INVALID_HANDLE_VALUE;
}
} // namespace

TEST_F(FileTest, WriteTextFileReplacesAndRetriesTenTimes)
{
    std::string path = scratch / "Install.LOG";
    EXPECT_TRUE(WriteTextFile(path.c_str(), "a longer first text"));
    EXPECT_TRUE(WriteTextFile(path.c_str(), "short"));
    EXPECT_EQ("short", ScratchFolder::ReadFile(path));
    EXPECT_FALSE(WriteTextFile("", "x"));

    WaitRecorder recorder;
    HANDLE other = holdFile(path, GENERIC_READ, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_FALSE(WriteTextFile(path.c_str(), "lost"));
    CloseHandle(other);
    EXPECT_EQ(std::vector<unsigned>(9, 100), WaitRecorder::waits);
    EXPECT_EQ("short", ScratchFolder::ReadFile(path));

    // Released by its holder during the third pause: the fourth attempt writes.
    heldForWriteText = holdFile(path, GENERIC_READ, 0);
    WaitRecorder::waits.clear();
    WaitRecorder::actionAt = 3;
    WaitRecorder::action = releaseHeldFile;
    EXPECT_TRUE(WriteTextFile(path.c_str(), "written"));
    EXPECT_EQ(3u, WaitRecorder::waits.size());
    EXPECT_EQ("written", ScratchFolder::ReadFile(path));
}
