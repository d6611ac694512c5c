// Where files land under Wine, on installers the builder makes from projects: system files by
// version and then date, shared files by date, the deletion list with its wildcards and
// conditions, and destinations in use that are replaced or deleted at the next restart.
//
// The results are read from the prefix's disk and from Install.LOG.

#include "tests/support/ProjectInstaller.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char kSystemDir[] = "C:\\windows\\system32";
const char kRecordTime[] = "2024-06-01T12:00:00";
const char kUninstallKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Placement Test";

// Sets the last-write time, read as local time (the time Wine shows).
void setLocalTime(const fs::path& path, int year, int month, int day, int hour, int minute)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(0, utimensat(AT_FDCWD, path.c_str(), times, 0)) << path;
}

// A fixture DLL whose version resource has this FileVersion ("1_2", "1_10", "2_0", "2_0a",
// "OtherBlock": 9.9 in another block than 040904E4).
fs::path versionDll(const std::string& version)
{
    return Win64File("tests/fixtures/versiondll/FileVersion" + version + ".dll");
}

fs::path systemDir() { return fs::path(WineDriveC()) / "windows" / "system32"; }

// The line of log that contains part, without its line break; "<none>" when there is none.
std::string lineWith(const std::string& log, const std::string& part)
{
    size_t at = log.find(part);
    if (at == std::string::npos)
        return "<none>";
    size_t begin = log.rfind('\n', at);
    begin = begin == std::string::npos ? 0 : begin + 1;
    size_t end = log.find("\r\n", at);
    return log.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

bool engineBuilt()
{
    return fs::exists(Win64File("qsx.exe")) && fs::exists(versionDll("1_2")) &&
           fs::exists(Win64File("tests/fixtures/holdfile.exe"));
}

// A system file record of the project: the fixture DLL of version stored as name.
std::string systemFile(const std::string& dll, const std::string& name, const std::string& version,
                       const std::string& time = kRecordTime)
{
    return "[[files]]\nsource = '" + versionDll(dll).string() + "'\nname = '" + name +
           "'\nkind = \"system\"\nversion = '" + version + "'\ntime = " + time + "\n\n";
}

// The system files placed before the run (existing version, its time) and what is stored.
struct SystemCase {
    const char* name;
    const char* existing;  // fixture of the file already there; null: none
    int existingYear;      // its last-write year (1 January, noon)
    const char* stored;    // fixture and version text of the record
    const char* version;
    const char* logged;    // the line's text after the destination; "" for no line
    bool replaced;
};

const SystemCase kSystemCases[] = {
    // 10 > 2: numbers, not texts, with a later date.
    {"quivpl_up.dll", "1_2", 2020, "1_10", "1.10", " is out of date and will be replaced.", true},
    {"quivpl_eq.dll", "2_0", 2020, "2_0", "2.0", " was not installed because its version is not newer.", false},
    // [2, 0] against [2, 0] with letter A: the letter makes the existing file newer.
    {"quivpl_ltr.dll", "2_0a", 2020, "2_0", "2.0", " was not installed because its version is not newer.", false},
    // A newer version alone is not enough.
    {"quivpl_old.dll", "1_2", 2025, "1_10", "1.10", " was not installed because its date is not newer.", false},
    // A version in another language block is no version: the date decides.
    {"quivpl_blk.dll", "OtherBlock", 2020, "1_2", "1.2", " is out of date and will be replaced.", true},
    // Nothing there: written without a line.
    {"quivpl_new.dll", nullptr, 0, "2_0", "2.0", "", true},
};

class PlacementRun : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!engineBuilt())
            return;
        folder_ = newTestFolder("placement");
        install_ = folder_ / "inst";
        std::string toml =
            "[product]\nname = \"Placement Test\"\nshared_directory = \"Quiv Placement Test\"\n\n"
            "[flags]\nalways_write_log = true\nverbose_log = true\nno_background = true\n"
            "no_completion_message = true\nuninstall_support = true\n\n";
        toml += deletionEntries();
        for (const SystemCase& c : kSystemCases) {
            fs::remove(systemDir() / c.name);
            if (c.existing) {
                fs::copy_file(versionDll(c.existing), systemDir() / c.name);
                setLocalTime(systemDir() / c.name, c.existingYear, 1, 1, 12, 0);
            }
            toml += systemFile(c.stored, c.name, c.version);
        }
        toml += sharedFiles();
        const fs::path setup = buildFromProject(folder_, toml);
        WineRunOptions options;
        options.strict = false;
        result_ = RunInWine(setup.string(), {"/a", "/d:" + WinePath(install_.string())}, options);
        log_ = readText(install_ / "Uninstall" / "Install.LOG");
    }

    static void TearDownTestSuite()
    {
        // The product's uninstall entry (shared files come with uninstall support).
        RunInWine("C:\\windows\\system32\\reg.exe", {"delete", kUninstallKey, "/f"}, WineRunOptions());
        for (const SystemCase& c : kSystemCases)
            fs::remove(systemDir() / c.name);
        fs::remove_all(sharedDir());
        if (!folder_.empty())
            fs::remove_all(folder_);
    }

    void SetUp() override
    {
        if (!engineBuilt())
            GTEST_SKIP() << "the x86_64 engine or the test fixtures are not built";
        ASSERT_EQ("", result_.failure) << result_.Transcript();
    }

    static fs::path sharedDir() { return fs::path(WineDriveC()) / "Program Files" / "Common Files" / "Quiv Placement Test"; }

    // The installation directory's files for the deletion list, and its entries.
    static std::string deletionEntries()
    {
        for (const char* name : {"a.tmp", "b.TMP", "keep.txt", "old/x.bak", "old/sub/y.bak", "old/sub/y.txt",
                                 "top.bak"})
            writeText(install_ / name, "x");
        writeText(install_ / "ro.tmp", "read-only");
        fs::permissions(install_ / "ro.tmp", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        struct Dated {
            const char* name;
            int day, hour, minute;
        };
        for (const Dated& d : {Dated{"same1.txt", 15, 23, 30}, Dated{"same2.txt", 16, 0, 30},
                               Dated{"old1.txt", 14, 23, 0}, Dated{"old2.txt", 15, 0, 30},
                               Dated{"new1.txt", 15, 13, 0}, Dated{"new2.txt", 15, 11, 0}}) {
            writeText(install_ / "dates" / d.name, "dated");
            setLocalTime(install_ / "dates" / d.name, 2021, 6, d.day, d.hour, d.minute);
        }
        for (const char* name : {"eq5", "eq4", "min10", "min9", "max3", "max4"}) {
            const std::string n(name);
            writeText(install_ / "sizes" / name, std::string(std::stoul(n.substr(n.find_first_of("0123456789"))), 's'));
        }
        return "[[delete]]\npath = '*.tmp'\n\n"
               "[[delete]]\npath = 'old\\*.bak /s'\n\n"
               "[[delete]]\npath = 'dates\\same*.txt'\ncondition = \"same_date\"\nvalue = \"2021-06-15\"\n\n"
               "[[delete]]\npath = 'dates\\old*.txt'\ncondition = \"older\"\nvalue = \"2021-06-15\"\n\n"
               "[[delete]]\npath = 'dates\\new*.txt'\ncondition = \"newer\"\nvalue = \"2021-06-15 12:00\"\n\n"
               "[[delete]]\npath = 'sizes\\eq*'\ncondition = \"size_equal\"\nvalue = \"5\"\n\n"
               "[[delete]]\npath = 'sizes\\min*'\ncondition = \"size_at_least\"\nvalue = \"10\"\n\n"
               "[[delete]]\npath = 'sizes\\max*'\ncondition = \"size_at_most\"\nvalue = \"3\"\n\n";
    }

    // shared.txt has no time in its record and replaces a file of 2030; current.txt has one and
    // meets a later file. (The shared folder exists with uninstall support only.)
    static std::string sharedFiles()
    {
        fs::remove_all(sharedDir());
        writeText(sharedDir() / "shared.txt", "existing shared");
        setLocalTime(sharedDir() / "shared.txt", 2030, 1, 1, 12, 0);
        writeText(sharedDir() / "current.txt", "existing current");
        setLocalTime(sharedDir() / "current.txt", 2025, 1, 1, 12, 0);
        writeText(folder_ / "src" / "shared.txt", "stored shared");
        writeText(folder_ / "src" / "current.txt", "stored current");
        return "[[files]]\nsource = 'src/shared.txt'\nkind = \"shared\"\n\n"
               "[[files]]\nsource = 'src/current.txt'\nkind = \"shared\"\ntime = " + std::string(kRecordTime) + "\n\n";
    }

    static fs::path folder_, install_;
    static WineRunResult result_;
    static std::string log_;
};

fs::path PlacementRun::folder_, PlacementRun::install_;
WineRunResult PlacementRun::result_;
std::string PlacementRun::log_;

} // namespace

TEST_F(PlacementRun, SystemFilesByVersionThenDate)
{
    for (const SystemCase& c : kSystemCases) {
        SCOPED_TRACE(c.name);
        const std::string expected = readText(versionDll(c.replaced ? c.stored : c.existing));
        EXPECT_TRUE(readText(systemDir() / c.name) == expected) << "the wrong version is in place";
    }
}

TEST_F(PlacementRun, SharedFileWithoutDateIsAlwaysReplaced)
{
    EXPECT_EQ("stored shared", readText(sharedDir() / "shared.txt"));
    EXPECT_EQ("existing current", readText(sharedDir() / "current.txt"));
}

namespace {

struct DeletionCase {
    const char* path;  // below the installation directory
    bool deleted;
};

const DeletionCase kDeletionCases[] = {
    {"a.tmp", true},           {"b.TMP", true},           {"ro.tmp", true},          {"keep.txt", false},
    {"top.bak", false},        {"old/x.bak", true},       {"old/sub/y.bak", true},   {"old/sub/y.txt", false},
    // same date and older: the date alone, whatever the time of day
    {"dates/same1.txt", true}, {"dates/same2.txt", false}, {"dates/old1.txt", true}, {"dates/old2.txt", false},
    {"dates/new1.txt", true},  {"dates/new2.txt", false},
    {"sizes/eq5", true},       {"sizes/eq4", false},      {"sizes/min10", true},     {"sizes/min9", false},
    {"sizes/max3", true},      {"sizes/max4", false},
};

} // namespace

TEST_F(PlacementRun, DeletionList)
{
    for (const DeletionCase& c : kDeletionCases)
        EXPECT_EQ(!c.deleted, fs::exists(install_ / c.path)) << c.path;
}

TEST_F(PlacementRun, InstallLogGivesTheReasons)
{
    for (const SystemCase& c : kSystemCases) {
        const std::string line = lineWith(log_, "\\" + std::string(c.name) + " ");
        EXPECT_EQ(*c.logged ? std::string(kSystemDir) + "\\" + c.name + c.logged : "<none>", line) << log_;
    }
    const std::string shared = "C:\\Program Files\\Common Files\\Quiv Placement Test\\";
    EXPECT_EQ(shared + "shared.txt is out of date and will be replaced.", lineWith(log_, "\\shared.txt "));
    EXPECT_EQ(shared + "current.txt is up to date.", lineWith(log_, "\\current.txt "));
    for (const DeletionCase& c : kDeletionCases) {
        const std::string windows = WinePath((install_ / c.path).string());
        EXPECT_EQ(c.deleted ? "Deleted file: " + windows : "<none>", lineWith(log_, "Deleted file: " + windows + "\r"));
    }
    // The verbose log names each written file.
    EXPECT_NE(std::string::npos, log_.find("quivpl_up.dll -> " + std::string(kSystemDir) + "\\quivpl_up.dll\r\n"))
        << log_;
}

namespace {

// A holder program keeps files open without sharing while the installer runs.
class Holder {
public:
    Holder(const fs::path& folder, const std::vector<std::string>& windowsPaths)
        : ready_(folder / "held.ready"), release_(folder / "held.release")
    {
        std::vector<std::string> args = {WinePath(ready_.string()), WinePath(release_.string())};
        args.insert(args.end(), windowsPaths.begin(), windowsPaths.end());
        pid_ = StartInWine(Win64File("tests/fixtures/holdfile.exe"), args);
        for (int i = 0; i < 600 && pid_ > 0 && !fs::exists(ready_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~Holder() { Release(); }
    bool Holding() const { return pid_ > 0 && fs::exists(ready_); }
    // Lets the files go; the holder's exit status (0 when it let go as asked).
    int Release()
    {
        if (pid_ <= 0)
            return -1;
        writeText(release_, "");
        int status = WaitForWine(pid_, 60);
        pid_ = -1;
        return status;
    }

private:
    fs::path ready_, release_;
    int pid_ = -1;
};

// One installation meets a system DLL and a file of the deletion list held open by another
// program; the user declines the restart.
class InUseRun : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!engineBuilt())
            return;
        folder_ = newTestFolder("placement-busy");
        install_ = folder_ / "inst";
        fs::remove(busy());
        fs::copy_file(versionDll("1_2"), busy());
        setLocalTime(busy(), 2020, 1, 1, 12, 0);
        writeText(install_ / "held.tmp", "held");
        const fs::path setup = buildFromProject(
            folder_, "[product]\nname = \"Placement Busy\"\n\n"
                     "[flags]\nalways_write_log = true\nno_background = true\nno_completion_message = true\n\n"
                     "[[delete]]\npath = 'held.tmp'\nat_restart = true\n\n" +
                         systemFile("1_10", "quivpl_busy.dll", "1.10"));
        Holder holder(folder_, {std::string(kSystemDir) + "\\quivpl_busy.dll", held()});
        holding_ = holder.Holding();
        // Not in automatic mode: there the installer would restart the machine (the whole
        // Wine session) at once. The user declines the restart when asked.
        WineRunOptions options;
        options.rules = {"caption \"Welcome\" -> press \"Yes\"", "caption \"Please confirm\" -> press \"No\""};
        options.strict = false;
        if (holding_)
            result_ = RunInWine(setup.string(), {"/d:" + WinePath(install_.string())}, options);
        released_ = holder.Release();
        log_ = readText(install_ / "Uninstall" / "Install.LOG");
    }

    static void TearDownTestSuite()
    {
        fs::remove(busy());
        if (!folder_.empty())
            fs::remove_all(folder_);
    }

    void SetUp() override
    {
        if (!engineBuilt())
            GTEST_SKIP() << "the x86_64 engine or the test fixtures are not built";
        ASSERT_TRUE(holding_) << "the holder did not open the files";
        ASSERT_EQ(0, released_) << "the holder did not end as asked";
        ASSERT_EQ("", result_.failure) << result_.Transcript();
    }

    static fs::path busy() { return systemDir() / "quivpl_busy.dll"; }
    static std::string held() { return WinePath((install_ / "held.tmp").string()); }

    static fs::path folder_, install_;
    static bool holding_;
    static int released_;
    static WineRunResult result_;
    static std::string log_;
};

fs::path InUseRun::folder_, InUseRun::install_;
bool InUseRun::holding_ = false;
int InUseRun::released_ = -1;
WineRunResult InUseRun::result_;
std::string InUseRun::log_;

} // namespace

TEST_F(InUseRun, ReplacedAndDeletedAtTheRestart)
{
    // Until the restart both files are as they were.
    EXPECT_TRUE(readText(busy()) == readText(versionDll("1_2")));
    EXPECT_TRUE(fs::exists(install_ / "held.tmp"));

    EXPECT_EQ(0, WaitForWine(StartInWine("wineboot", {"-r"}), 120));
    EXPECT_TRUE(readText(busy()) == readText(versionDll("1_10"))) << "not replaced at the restart";
    EXPECT_FALSE(fs::exists(install_ / "held.tmp"));
}

TEST_F(InUseRun, InstallLogNamesTheRegistrations)
{
    EXPECT_EQ(std::string(kSystemDir) + "\\quivpl_busy.dll has been successfully registered for replacement.",
              lineWith(log_, "\\quivpl_busy.dll has been"));
    const std::string temporaryLine = lineWith(log_, "Temporary file is ");
    EXPECT_NE(std::string::npos, temporaryLine.find("QVT")) << log_;
    EXPECT_NE(std::string::npos, log_.find(temporaryLine + "\r\nReboot will be required.\r\n\r\n")) << log_;
    EXPECT_EQ(0u, lineWith(log_, "File '" + held() + "' will be deleted after rebooting: ").find("File '")) << log_;
}
