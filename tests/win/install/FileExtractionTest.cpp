#include "install/FileExtraction.h"

#include "app/portable/FatalTexts.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/FileRecord.h"
#include "archive/format/SettingsLayout.h"
#include "platform/FileAttributes.h"
#include "platform/Win32.h"
#include "builder/BitWriter.h"
#include "builder/BlockWriter.h"
#include "builder/Compressor.h"
#include "tests/win/support/ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// One record as the data block holds it.
struct Record {
    Record(std::string n, uint32_t k, uint32_t f, std::string d, std::string t = "", std::string dest = "")
        : name(std::move(n)), kind(k), flags(f), data(std::move(d)), text(std::move(t)), destination(std::move(dest))
    {
    }
    std::string name;
    uint32_t kind;
    uint32_t flags;
    std::string data;
    std::string text;
    std::string destination;
    ArchiveTime time;
};

void putU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putText(std::string& out, const std::string& text)
{
    out += text;
    out.push_back('\0');
}

// The block of records and its stored-size list.
struct Block {
    std::string bytes;
    Vector<int32_t> sizes;

    explicit Block(const std::vector<Record>& records)
    {
        for (const Record& r : records) {
            putText(bytes, r.name);
            putU32(bytes, r.kind);
            putU32(bytes, r.flags);
            putU32(bytes, kKeepAttributes);
            bytes += r.data;
            putU32(bytes, archiveChecksum(r.data.data(), static_cast<int>(r.data.size())));
            const int32_t t[6] = {r.time.year, r.time.month, r.time.day, r.time.hour, r.time.minute, r.time.second};
            for (int32_t v : t)
                putU32(bytes, static_cast<uint32_t>(v));
            putText(bytes, r.text);
            if (r.flags & (kFileDesktopShortcut | kFileStartMenuShortcut))
                putText(bytes, "icon.ico");
            putText(bytes, "-args");
            putText(bytes, r.destination);
            sizes.Append(static_cast<int32_t>(r.data.size()));
        }
    }
};

std::string testFolder;

// %Here% stands for the scratch folder.
void expandHere(String& text)
{
    text.Replace("%Here%", testFolder.c_str());
}

class FileExtractionTest : public testing::Test {
protected:
    void SetUp() override
    {
        testFolder = scratch.Path();
        for (const char* dir : {"app", "shared", "fonts", "sys"})
            CreateDirectoryA((scratch / dir).c_str(), nullptr);
        setup.directories.install = (scratch / "app").c_str();
        setup.directories.shared = (scratch / "shared").c_str();
        setup.directories.fonts = (scratch / "fonts").c_str();
        setup.directories.system = (scratch / "sys").c_str();
        setup.directories.uninstaller = (scratch / "app\\uninst").c_str();
        setup.writeOptions.writeFailedText = "Write failed";
        setup.directoryFailedText = "Dir failed";
        setup.expand = expandHere;
    }

    void extract(const std::vector<Record>& records)
    {
        Block block(records);
        ExtractFiles(reinterpret_cast<const uint8_t*>(block.bytes.data()),
                     static_cast<uint32_t>(block.bytes.size()), nullptr, block.sizes, setup, texts, results);
    }

    std::string at(const std::string& relative) const { return scratch / relative; }
    std::string read(const std::string& relative) const { return ScratchFolder::ReadFile(at(relative)); }

    ScratchFolder scratch;
    ExtractionSetup setup;
    InstallTexts texts;
    ExtractionResults results;
};

std::vector<std::string> strings(const Vector<String>& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list[i].CStr());
    return out;
}

} // namespace

TEST_F(FileExtractionTest, PlacesEachKindAndFillsTheLists)
{
    CreateDirectoryA(at("app\\uninst").c_str(), nullptr);
    extract({
        {"plain.txt", kKindInstallDir, 0, "one"},
        {"renamed.txt", kKindInstallDir, 0, "two", "", "Final Name.txt"},
        {"deep\\doc.txt", kKindInstallDir, 0, "three", "", "%Here%\\app\\docs\\"},
        {"lib.dll", kKindSharedDir, 0, "four"},
        {"sys.dll", kKindSystemDir, 0, "five"},
        {"com.dll", kKindSystemComServer, 0, "six"},
        {"tlb.tlb", kKindSystemTypeLibrary, kFileLeaveAtUninstall, "seven"},
        {"face.ttf", kKindFont, 0, "eight", "Face Regular"},
        {"tool.exe", kKindInstallDirStartup, 0, "nine", "Tool"},
        {"un.txt", kKindInstallDir, kFileInUninstallDir | kFileStartMenuShortcut, "ten", "Notes"},
    });

    EXPECT_EQ("", std::string(texts.errors.CStr()));
    EXPECT_EQ("one", read("app\\plain.txt"));
    EXPECT_EQ("two", read("app\\Final Name.txt"));
    EXPECT_EQ("three", read("app\\docs\\doc.txt"));
    EXPECT_EQ("four", read("shared\\lib.dll"));
    EXPECT_EQ("five", read("sys\\sys.dll"));
    EXPECT_EQ("six", read("sys\\com.dll"));
    EXPECT_EQ("seven", read("sys\\tlb.tlb"));
    EXPECT_EQ("eight", read("fonts\\face.ttf"));
    EXPECT_EQ("nine", read("app\\tool.exe"));
    EXPECT_EQ("ten", read("app\\uninst\\un.txt"));

    EXPECT_EQ((std::vector<std::string>{at("shared\\lib.dll"), at("sys\\sys.dll") + " ", at("sys\\com.dll") + "^",
                                        at("sys\\tlb.tlb") + " "}),
              strings(results.sharedFiles));
    EXPECT_EQ(std::vector<std::string>{at("sys\\com.dll")}, strings(results.comServers));
    EXPECT_EQ(std::vector<std::string>{at("sys\\tlb.tlb")}, strings(results.typeLibraries));
    ASSERT_EQ(1, results.fonts.Count());
    EXPECT_STREQ("Face Regular", results.fonts[0].title.CStr());
    EXPECT_STREQ("face.ttf", results.fonts[0].storedName.CStr());
    ASSERT_EQ(2, results.shortcuts.Count());
    EXPECT_STREQ("Tool", results.shortcuts[0].title.CStr());
    EXPECT_EQ(at("app\\tool.exe"), results.shortcuts[0].destination.CStr());
    EXPECT_STREQ("", results.shortcuts[0].icon.CStr());
    EXPECT_STREQ("un.txt", results.shortcuts[1].storedName.CStr());
    EXPECT_STREQ("icon.ico", results.shortcuts[1].icon.CStr());
    EXPECT_STREQ("-args", results.shortcuts[1].arguments.CStr());

    // Kinds 0 and 5 only; the docs directory is new, the installation directory is not.
    const std::string expected = at("app\\plain.txt") + "\r\n" + at("app\\Final Name.txt") + "\r\n~" +
                                 at("app\\docs") + "\r\n" + at("app\\docs\\doc.txt") + "\r\n" +
                                 at("app\\tool.exe") + "\r\n" + at("app\\uninst\\un.txt") + "\r\n";
    EXPECT_EQ(expected, texts.uninstallList.CStr());
}

TEST_F(FileExtractionTest, UninstallEntriesLeftOutByProductOrRecordFlag)
{
    std::vector<Record> records = {
        {"kept.txt", kKindInstallDir, kFileLeaveAtUninstall, "a", "", "sub\\"},
        {"listed.txt", kKindInstallDir, 0, "b", "", "SUB\\"},
        {"again.txt", kKindInstallDir, 0, "c", "", "Sub\\"},
    };
    extract(records);
    // The directory made for a left file is not entered; later files name it once.
    EXPECT_EQ("~" + at("app\\SUB") + "\r\n" + at("app\\SUB\\listed.txt") + "\r\n" + at("app\\Sub\\again.txt") + "\r\n",
              texts.uninstallList.CStr());
}

TEST_F(FileExtractionTest, WholeTreeProductMakesNoUninstallEntries)
{
    setup.productFlags = 1ull << kFlagUninstallWholeTree;
    extract({{"other.txt", kKindInstallDir, 0, "d", "", "more\\"}, {"top.txt", kKindInstallDir, 0, "e"}});
    EXPECT_EQ("d", read("app\\more\\other.txt"));
    EXPECT_EQ("e", read("app\\top.txt"));
    EXPECT_STREQ("", texts.uninstallList.CStr());
}

TEST_F(FileExtractionTest, ExistenceModesAndTheExistingFileInTheUninstallList)
{
    scratch.WriteFile("app\\there.txt", "old");
    scratch.WriteFile("app\\left.txt", "old");
    const uint32_t never = 1u << kFileExistenceShift, ifExists = 2u << kFileExistenceShift,
                   ifMissing = 3u << kFileExistenceShift;
    extract({
        {"never.txt", kKindInstallDir, never, "new"},
        {"absent.txt", kKindInstallDir, ifExists, "new"},
        {"there.txt", kKindInstallDir, ifMissing, "new"},
        {"left.txt", kKindInstallDir, ifMissing | kFileLeaveAtUninstall, "new"},
        {"fresh.txt", kKindInstallDir, ifMissing, "new"},
    });
    EXPECT_FALSE(ScratchFolder::Exists(at("app\\never.txt")));
    EXPECT_FALSE(ScratchFolder::Exists(at("app\\absent.txt")));
    EXPECT_EQ("old", read("app\\there.txt"));
    EXPECT_EQ("new", read("app\\fresh.txt"));
    EXPECT_EQ(at("app\\there.txt") + "\r\n" + at("app\\fresh.txt") + "\r\n", texts.uninstallList.CStr());
}

TEST_F(FileExtractionTest, DirectoryThatCannotBeMadeSkipsTheFile)
{
    scratch.WriteFile("app\\blocker", "a file where a directory should go");
    setup.productFlags = 1ull << kFlagVerboseLog;
    extract({{"x.txt", kKindInstallDir, 0, "x", "", "blocker\\"}, {"y.txt", kKindInstallDir, 0, "y"}});

    const std::string errors = texts.errors.CStr();
    const std::string head = "Dir failed " + at("app\\blocker") + "\r\n";
    const std::string tail = "\r\nNot installed: " + at("app\\blocker\\x.txt") + "\r\n\r\n";
    ASSERT_GT(errors.size(), head.size() + tail.size()) << errors;
    EXPECT_EQ(head, errors.substr(0, head.size()));
    EXPECT_EQ(tail, errors.substr(errors.size() - tail.size()));
    // The system's text for the error stands on one line of its own between them.
    const std::string middle = errors.substr(head.size(), errors.size() - head.size() - tail.size());
    EXPECT_EQ(std::string::npos, middle.find('\n')) << errors;
    EXPECT_EQ(at("app\\y.txt") + "\r\n", texts.uninstallList.CStr());
    EXPECT_EQ("y.txt -> " + at("app\\y.txt") + "\r\n", texts.log.CStr());
}

TEST_F(FileExtractionTest, SharedFileUpToDateIsLoggedAndKept)
{
    scratch.WriteFile("shared\\lib.dll", "installed");
    ArchiveTime old;
    old.year = 2001;
    old.month = 1;
    old.day = 2;
    old.hour = 3;
    Record r{"lib.dll", kKindSharedDir, 0, "older"};
    r.time = old;
    extract({r});
    EXPECT_EQ("installed", read("shared\\lib.dll"));
    EXPECT_EQ(at("shared\\lib.dll") + " is up to date.\r\n", texts.log.CStr());
    EXPECT_EQ(std::vector<std::string>{at("shared\\lib.dll")}, strings(results.sharedFiles));
}

TEST_F(FileExtractionTest, NoRecordsPlaceNothing)
{
    extract({});
    EXPECT_STREQ("", texts.uninstallList.CStr());
    EXPECT_STREQ("", texts.log.CStr());
    EXPECT_TRUE(results.sharedFiles.IsEmpty());
}

namespace {

// The bytes compressed, the token that starts at or after damageAt (when there is one)
// replaced by a copy from before the output's start.
std::vector<uint8_t> compressedWithDamage(const std::string& bytes, size_t damageAt)
{
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
    std::vector<uint8_t> head(kBlockHeadSize);
    storeU32(head.data(), kBlockMagic);
    storeU32(head.data() + kBlockOutputLengthOffset, static_cast<uint32_t>(bytes.size()));
    BitWriter bits(head);
    uint32_t produced = 0;
    bool damaged = false;
    for (CompressedToken t : Compressor().parse(data, bytes.size())) {
        if (!damaged && produced >= damageAt) {
            t = CompressedToken::copy(4, produced + 5);
            damaged = true;
        }
        writeToken(bits, data + produced, t);
        produced += t.length;
    }
    return bits.take();
}

// A folder of a fixed name: a death test's second process writes where the first looks.
std::string fixedFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + name;
    for (const char* file : {"\\first.txt", "\\second.bin", "\\third.txt"})
        DeleteFileA((dir + file).c_str());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

} // namespace

// The block still being decoded as the files are written: a good one places them all; one
// damaged inside the second file's data places the first file, then ends the run with code 60
// before the second.
TEST(FileExtractionWhileDecoding, PlacesTheFilesUpToTheDamage)
{
    std::mt19937 rng(8);
    std::string second;
    while (second.size() < 1200000)
        second += std::to_string(rng() % 1000) + (rng() % 5 ? " " : "\r\n");
    const Block block({{"first.txt", kKindInstallDir, 0, "the first file"},
                       {"second.bin", kKindInstallDir, 0, second},
                       {"third.txt", kKindInstallDir, 0, "the third file"}});
    const std::string dir = fixedFolder("quiv-extract-while-decoding");
    ExtractionSetup setup;
    setup.directories.install = dir.c_str();
    setup.writeOptions.writeFailedText = "Write failed";
    auto extract = [&](const std::vector<uint8_t>& compressed) {
        BlockDecoding decoding;
        if (!decoding.start(compressed.data(), static_cast<int>(compressed.size())))
            return false;
        InstallTexts texts;
        ExtractionResults results;
        ExtractFiles(decoding.output(), decoding.outputLength(), &decoding, block.sizes, setup, texts, results);
        return true;
    };

    ASSERT_TRUE(extract(compressedWithDamage(block.bytes, block.bytes.size())));
    EXPECT_EQ("the first file", ScratchFolder::ReadFile(dir + "\\first.txt"));
    EXPECT_TRUE(second == ScratchFolder::ReadFile(dir + "\\second.bin"));
    EXPECT_EQ("the third file", ScratchFolder::ReadFile(dir + "\\third.txt"));

    fixedFolder("quiv-extract-while-decoding");
    const std::vector<uint8_t> damaged = compressedWithDamage(block.bytes, block.bytes.size() / 2);
    EXPECT_EXIT(extract(damaged), testing::ExitedWithCode(3),
                testing::HasSubstr(corruptInstallerText(String(), kCorruptDataBlock).CStr()));
    EXPECT_EQ("the first file", ScratchFolder::ReadFile(dir + "\\first.txt"));
    EXPECT_FALSE(ScratchFolder::Exists(dir + "\\second.bin"));
    EXPECT_FALSE(ScratchFolder::Exists(dir + "\\third.txt"));
}
