// The stored files as an installation places them under Wine: a product folder with
// subfolders, an empty file, a file of some megabytes and names with blanks comes back byte for
// byte with its times and attributes; an archive without files ends normally; each broken
// file record and a deletion entry with a bad date show the corrupt-installer box.

#include "app/portable/FatalTexts.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/FileRecord.h"
#include "archive/format/SettingsLayout.h"
#include "builder/ArchiveWriter.h"
#include "builder/InstallerBuilder.h"
#include "builder/ProjectFile.h"
#include "builder/SettingsWriter.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {

const char kProgressRule[] = "caption \"Extract Test Setup\"";
const char kFatalRule[] = "caption \"FATAL ERROR\" -> press \"OK\"";

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Seconds since 1970 of a file's last write.
long long mtime(const fs::path& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_mtime) : -1;
}

void setMtime(const fs::path& path, long long seconds)
{
    struct timeval times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    utimes(path.c_str(), times);
}

// The DOS attributes Wine keeps beside a file; -1 when it keeps none there.
long dosAttributes(const fs::path& path)
{
    char value[64] = {};
    const ssize_t n = getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value - 1);
    return n > 0 ? std::strtol(value, nullptr, 0) : -1;
}

class ExtractionTest : public testing::Test {
protected:
    void SetUp() override
    {
        engine_ = readBytes(Win64File("qsx.exe"));
        if (engine_.empty())
            GTEST_SKIP() << "the x86_64 engine is not built";
        char name[] = "/tmp/quiv-extract-XXXXXX";
        folder_ = mkdtemp(name);
    }
    void TearDown() override
    {
        if (!folder_.empty()) {
            std::error_code ignored;
            for (const auto& e : fs::recursive_directory_iterator(folder_, ignored))
                fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            fs::remove_all(folder_, ignored);
        }
    }

    fs::path writeInstaller(const std::string& name, const std::vector<uint8_t>& image)
    {
        const fs::path path = folder_ / (name + ".exe");
        writeBytes(path, image);
        return path;
    }

    // Runs the installer in automatic mode into target.
    WineRunResult install(const fs::path& installer, const fs::path& target, std::vector<std::string> rules = {})
    {
        WineRunOptions options;
        options.rules = std::move(rules);
        options.rules.push_back(kProgressRule);
        return RunInWine(installer.string(), {"/a", "/d:" + WinePath(target.string())}, options);
    }

    std::vector<uint8_t> engine_;
    fs::path folder_;
};

// The product settings for installers written from records by hand.
ProductSpec handMadeSpec()
{
    ProductSpec spec;
    spec.productName = "Extract Test";
    spec.uninstallerFileName = "Uninstall.exe";
    spec.setFlag(kFlagNoBackground);
    std::vector<std::string> m(67);
    m[54] = "<product> Setup";
    spec.languages = {{"English", m}};
    return spec;
}

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putText(std::vector<uint8_t>& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// One record without a time, its fields as given (the checksum is right unless badChecksum).
std::vector<uint8_t> record(const std::string& name, uint32_t kind, const std::string& data, bool badChecksum = false)
{
    std::vector<uint8_t> out;
    putText(out, name);
    putU32(out, kind);
    putU32(out, 0);
    putU32(out, kKeepAttributes);
    out.insert(out.end(), data.begin(), data.end());
    putU32(out, archiveChecksum(data.data(), static_cast<int>(data.size())) + (badChecksum ? 1 : 0));
    const int32_t time[6] = {0, 0, 0, -1, 0, 0};
    for (int32_t v : time)
        putU32(out, static_cast<uint32_t>(v));
    putText(out, "");
    putText(out, "");
    putText(out, "");
    return out;
}

std::string corruptText(int code)
{
    char text[1024];
    std::snprintf(text, sizeof text, kCorruptInstallerText, code);
    return text;
}

std::string fatalText(const WineRunResult& r)
{
    EXPECT_EQ("", r.failure) << r.Transcript();
    EXPECT_EQ(1, r.exitCode) << r.Transcript();
    const WineWindow* box = r.FindWindow("FATAL ERROR");
    return box ? box->MessageText() : "<no fatal box>";
}

} // namespace

TEST_F(ExtractionTest, FolderComesBackByteForByteWithTimesAndAttributes)
{
    const fs::path payload = folder_ / "product" / "payload";
    std::vector<uint8_t> big(3 * 1024 * 1024 + 17);
    std::mt19937 random(7);
    for (uint8_t& b : big)
        b = static_cast<uint8_t>(random() >> 24);
    writeBytes(payload / "sub dir" / "big file.bin", big);
    writeText(payload / "Read Me.txt", "Hello from the payload.\r\n");
    writeText(payload / "empty.dat", "");
    writeText(payload / "sub dir" / "deeper one" / "leaf.txt", "leaf");
    writeText(folder_ / "product" / "flags.txt", "read-only and hidden");
    const long long sourceTimes[] = {1262304000, 1300000000, 1400000000, 1500000000};  // 2010 .. 2017
    const fs::path sources[] = {payload / "sub dir" / "big file.bin", payload / "Read Me.txt", payload / "empty.dat",
                                payload / "sub dir" / "deeper one" / "leaf.txt"};
    for (int i = 0; i < 4; ++i)
        setMtime(sources[i], sourceTimes[i]);

    const std::string project = "[product]\n"
                                "name = \"Extract Test\"\n"
                                "[flags]\n"
                                "no_background = true\n"
                                "[[files]]\n"
                                "source = \"payload\"\n"
                                "time = \"source\"\n"
                                "[[files]]\n"
                                "source = \"flags.txt\"\n"
                                "attributes = [\"read_only\", \"hidden\"]\n"
                                "time = 2019-04-05T06:07:08\n";
    Project p = parseProject(project, "quiv.toml", (folder_ / "product").string());
    const fs::path installer = writeInstaller("folder", buildInstaller(engine_, {p.spec, p.files, 0}).installer);

    const fs::path target = folder_ / "target";
    WineRunResult r = install(installer, target);
    EXPECT_EQ("", r.failure) << r.Transcript();
    EXPECT_EQ(1, r.exitCode) << r.Transcript();
    for (const WineWindow& w : r.windows)
        EXPECT_EQ("Extract Test Setup", w.caption) << r.Transcript();

    const fs::path placed[] = {target / "sub dir" / "big file.bin", target / "Read Me.txt", target / "empty.dat",
                               target / "sub dir" / "deeper one" / "leaf.txt"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(readBytes(sources[i]), readBytes(placed[i])) << placed[i];
        EXPECT_TRUE(fs::exists(placed[i])) << placed[i];
        EXPECT_EQ(sourceTimes[i], mtime(placed[i])) << placed[i];
    }
    const fs::path flags = target / "flags.txt";
    EXPECT_EQ(readBytes(folder_ / "product" / "flags.txt"), readBytes(flags));
    EXPECT_EQ(1554444428, mtime(flags));  // 2019-04-05 06:07:08 in the test bed's time zone (UTC)
    struct stat st;
    ASSERT_EQ(0, stat(flags.c_str(), &st));
    EXPECT_EQ(0u, st.st_mode & 0222) << "read-only";
    const long attributes = dosAttributes(flags);
    if (attributes >= 0) {
        EXPECT_EQ(0x2, attributes & 0x2) << "hidden";
    }
    // A file without attributes in the project keeps what the system gave it.
    ASSERT_EQ(0, stat(placed[1].c_str(), &st));
    EXPECT_NE(0u, st.st_mode & 0200);
}

TEST_F(ExtractionTest, ArchiveWithoutFilesEndsNormally)
{
    ArchiveContent content;
    content.settings = writeSettings(handMadeSpec());
    const fs::path installer = writeInstaller("nofiles", ArchiveWriter::writeInstaller(engine_, content).image);
    const fs::path target = folder_ / "nofiles-target";
    WineRunResult r = install(installer, target);
    EXPECT_EQ("", r.failure) << r.Transcript();
    EXPECT_EQ(1, r.exitCode) << r.Transcript();
    EXPECT_EQ(nullptr, r.FindWindow("FATAL ERROR")) << r.Transcript();
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_TRUE(fs::is_empty(target));
}

TEST_F(ExtractionTest, BrokenRecordsAndDeletionDatesShowTheCorruptBox)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        std::vector<int32_t> sizes;
        int code;
    };
    const std::vector<uint8_t> good = record("good.txt", kKindInstallDir, "good");
    std::vector<uint8_t> secondEmpty = good;
    const std::vector<uint8_t> empty = record("", kKindInstallDir, "x");
    secondEmpty.insert(secondEmpty.end(), empty.begin(), empty.end());
    const Case cases[] = {
        {"emptyname", secondEmpty, {4, 1}, kCorruptFileName},
        {"kind3", record("a.txt", 3, "x"), {1}, kCorruptDestinationKind},
        {"kind9", record("a.txt", 9, "x"), {1}, kCorruptDestinationKind},
        {"checksum", record("a.txt", kKindInstallDir, "data", true), {4}, kCorruptFileChecksum},
    };
    for (const Case& c : cases) {
        ArchiveContent content;
        content.settings = writeSettings(handMadeSpec());
        content.fileData = c.block;
        content.storedSizes = c.sizes;
        const fs::path installer = writeInstaller(c.name, ArchiveWriter::writeInstaller(engine_, content).image);
        const fs::path target = folder_ / c.name;
        EXPECT_EQ(corruptText(c.code), fatalText(install(installer, target, {kFatalRule}))) << c.name;
        if (c.code == kCorruptFileName) {
            EXPECT_TRUE(fs::exists(target / "good.txt")) << "the record before the broken one is placed";
        }
    }

    // A deletion entry whose date is not one, met by a file that is there.
    ProductSpec spec = handMadeSpec();
    spec.deletions = {{"old*.txt", 2, "not a date", 0}};
    ArchiveContent content;
    content.settings = writeSettings(spec);
    const fs::path installer = writeInstaller("baddate", ArchiveWriter::writeInstaller(engine_, content).image);
    const fs::path target = folder_ / "baddate-target";
    writeText(target / "old1.txt", "old");
    EXPECT_EQ(corruptText(kCorruptDate), fatalText(install(installer, target, {kFatalRule})));
    EXPECT_TRUE(fs::exists(target / "old1.txt"));
}
