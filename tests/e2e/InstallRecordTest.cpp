// What an installation leaves for its uninstaller, read under Wine after the installer ended:
// Uninstall.DAT, Install.LOG, the uninstaller program and the product's entry in the system's
// list of installed programs; and the report at the end of a run that is not automatic: the
// completion message, or the question that offers the log after errors.

#include "tests/support/ProjectInstaller.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char kReg[] = "C:\\windows\\system32\\reg.exe";
const char kUninstallKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The values of a registry key as reg.exe lists them: name -> "TYPE data".
std::map<std::string, std::string> registryValues(const std::string& key)
{
    std::map<std::string, std::string> values;
    for (const std::string& line : WineOutputLines(kReg, {"query", key})) {
        // "    Name    REG_SZ    data"
        if (line.rfind("    ", 0) != 0)
            continue;
        const size_t type = line.find("    REG_", 4);
        if (type == std::string::npos)
            continue;
        const size_t data = line.find("    ", type + 4);
        const std::string typeName = line.substr(type + 4, data == std::string::npos ? std::string::npos : data - type - 4);
        values[line.substr(4, type - 4)] = typeName + " " + (data == std::string::npos ? "" : line.substr(data + 4));
    }
    return values;
}

void deleteKey(const std::string& key)
{
    RunInWine(kReg, {"delete", key, "/f"}, WineRunOptions());
}

std::string productFiles(const fs::path& folder)
{
    writeText(folder / "product" / "top.txt", "top\n");
    // Two folders that Windows sees as one: the directory enters the uninstall list once.
    writeText(folder / "product" / "Docs" / "a.txt", "a\n");
    writeText(folder / "product" / "docs" / "b.txt", "b\n");
    return "[[files]]\nsource = \"product\"\n\n";
}

class InstallRecordRun : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!fs::exists(Win64File("qsx.exe")))
            return;
        folder_ = newTestFolder("records");
        install_ = folder_ / "inst";
        deleteKey(key());
        std::string toml =
            "[product]\nname = \"Record Test\"\nversion = \"3.25b\"\npublisher = \"Quiv Tests\"\n\n"
            "[flags]\nalways_write_log = true\nuninstall_support = true\nno_background = true\n\n"
            "[appearance]\ntop_color = \"#336699\"\nbottom_color = \"#336699\"\n\n"
            "[uninstall]\nkey_name = \"Quiv Record Test\"\n\n"
            "[[uninstall.value]]\nname = \"HelpLink\"\nvalue = \"https://example.invalid/help\"\n\n"
            "[[uninstall.value]]\nname = \"EstimatedSize\"\ntype = \"number\"\nvalue = \"42\"\n\n";
        toml += productFiles(folder_);
        setup_ = buildFromProject(folder_, toml);
        WineRunOptions options;
        options.rules = {"caption \"Record Test Setup\""};
        result_ = RunInWine(setup_.string(), {"/a", "/d:" + WinePath(install_.string())}, options);
        values_ = registryValues(key());
    }

    static void TearDownTestSuite()
    {
        if (folder_.empty())
            return;
        deleteKey(key());
        fs::remove_all(folder_);
    }

    void SetUp() override
    {
        if (folder_.empty())
            GTEST_SKIP() << "the x86_64 engine is not built";
        ASSERT_EQ("", result_.failure) << result_.Transcript();
        ASSERT_EQ(1, result_.exitCode) << result_.Transcript();
    }

    static std::string key() { return std::string(kUninstallKey) + "Quiv Record Test"; }
    static std::string windowsPath(const std::string& relative)
    {
        return WinePath((install_ / relative).string());
    }

    static fs::path folder_, install_, setup_;
    static WineRunResult result_;
    static std::map<std::string, std::string> values_;
};

fs::path InstallRecordRun::folder_, InstallRecordRun::install_, InstallRecordRun::setup_;
WineRunResult InstallRecordRun::result_;
std::map<std::string, std::string> InstallRecordRun::values_;

TEST_F(InstallRecordRun, UninstallDataListsWhatWasPlacedThenTheStrings)
{
    const std::string data = readText(install_ / "Uninstall" / "Uninstall.DAT");
    const size_t strings = data.find("\r\n\r\n[Strings]\r\n");
    ASSERT_NE(std::string::npos, strings) << data;
    const std::string list = data.substr(0, strings);
    // Each file under the path of its record; one directory entry for Docs and docs.
    for (const char* file : {"top.txt", "Docs\\a.txt", "docs\\b.txt"})
        EXPECT_NE(std::string::npos, list.find(windowsPath(file) + "\r\n")) << list;
    const std::string docs = "~" + windowsPath("Docs") + "\r\n";
    EXPECT_NE(std::string::npos, list.find(docs)) << list;
    EXPECT_EQ(list.find(docs), list.rfind(docs)) << list;

    // The language strings the uninstaller needs, each number then its text; no associations.
    std::string expected;
    for (int n : {10, 15, 20, 30, 34, 35, 39, 49, 53, 55, 56, 57, 58, 59, 67, 68, 69, 70, 71})
        expected += "~" + std::to_string(n) + "\r\n";
    std::string numbers;
    const std::string tail = data.substr(strings + 15);
    for (size_t at = 0; at < tail.size();) {
        const size_t end = tail.find("\r\n", at);
        if (tail[at] == '~')
            numbers += tail.substr(at, end - at) + "\r\n";
        at = end == std::string::npos ? tail.size() : end + 2;
    }
    EXPECT_EQ(expected, numbers) << tail;
    EXPECT_NE(std::string::npos, tail.find("~34\r\nRecord Test was removed from this computer.\r\n")) << tail;
    EXPECT_EQ(std::string::npos, data.find("[Associations]"));
}

TEST_F(InstallRecordRun, InstallLogHasTheHeaderAndTheCompletionLine)
{
    const std::string log = readText(install_ / "Uninstall" / "Install.LOG");
    ASSERT_EQ(0u, log.find("\r\nInstallation log for: Record Test\r\nInstall date: ")) << log;
    const size_t type = log.find("\r\nInstall type: New\r\nInstall location: " + WinePath(install_.string()) +
                                 "\r\nInstaller version: 11.2\r\nProduct version: 3.25b\r\n\r\n");
    EXPECT_NE(std::string::npos, type) << log;
    // "d-M-yy h:ii:ssap" between the two.
    const std::string date = log.substr(42, type - 42);
    EXPECT_TRUE(date.size() >= 14 && (date.back() == 'a' || date.back() == 'p')) << date;
    // A clean run ends with the completion caption, as the log is written for every run here.
    EXPECT_EQ("Installation complete\r\n\r\n", log.substr(log.size() - 25)) << log;
}

TEST_F(InstallRecordRun, RegistryEntryStartsTheUninstallerAndKeepsTheProductsValues)
{
    const std::string uninstaller = windowsPath("Uninstall\\Uninstall.exe");
    EXPECT_EQ("REG_SZ " + uninstaller + " /u:\"Quiv Record Test\"", values_["UninstallString"]);
    EXPECT_EQ("REG_SZ " + uninstaller + " /a /u:\"Quiv Record Test\"", values_["QuietUninstallString"]);
    EXPECT_EQ("REG_SZ Record Test", values_["DisplayName"]);
    EXPECT_EQ("REG_SZ " + WinePath(setup_.string()), values_["InstallSource"]);
    EXPECT_EQ("REG_SZ 3.25b", values_["DisplayVersion"]);
    EXPECT_EQ("REG_SZ Quiv Tests", values_["Publisher"]);
    EXPECT_EQ("REG_DWORD 0x3", values_["VersionMajor"]);
    EXPECT_EQ("REG_DWORD 0x19", values_["VersionMinor"]);
    EXPECT_EQ("REG_DWORD 0x1", values_["MonoColor"]);
    EXPECT_EQ(0u, values_.count("BottomColor"));
    EXPECT_EQ("REG_SZ https://example.invalid/help", values_["HelpLink"]);
    EXPECT_EQ("REG_DWORD 0x2a", values_["EstimatedSize"]);
    EXPECT_EQ("REG_SZ " + WinePath(install_.string()), values_["InstallLocation"]);
    EXPECT_EQ(1u, values_.count("InstallDate"));
}

TEST_F(InstallRecordRun, UninstallerIsTheProgramWithoutItsArchive)
{
    const std::vector<uint8_t> program = readBytes((install_ / "Uninstall" / "Uninstall.exe").string());
    ASSERT_GE(program.size(), 2u);
    EXPECT_EQ('M', program[0]);
    EXPECT_EQ('Z', program[1]);
    EXPECT_LT(program.size(), fs::file_size(setup_));
}

// Runs that are not automatic show the end of the installation to the user.
class InstallReport : public testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(Win64File("qsx.exe")))
            GTEST_SKIP() << "the x86_64 engine is not built";
        folder_ = newTestFolder("report");
        install_ = folder_ / "inst";
        deleteKey(std::string(kUninstallKey) + "Report Test");
    }
    void TearDown() override
    {
        if (folder_.empty())
            return;
        deleteKey(std::string(kUninstallKey) + "Report Test");
        fs::remove_all(folder_);
    }

    WineRunResult install(const std::string& flags, std::vector<std::string> rules)
    {
        std::string toml = "[product]\nname = \"Report Test\"\n\n[flags]\nno_background = true\n" + flags + "\n";
        toml += productFiles(folder_);
        const fs::path setup = buildFromProject(folder_, toml);
        WineRunOptions options;
        options.rules = std::move(rules);
        options.rules.push_back("caption \"Welcome\" -> press \"Yes\"");
        options.rules.push_back("caption \"Report Test Setup\"");
        return RunInWine(setup.string(), {"/d:" + WinePath(install_.string())}, options);
    }

    fs::path folder_, install_;
};

TEST_F(InstallReport, CleanRunShowsTheCompletionMessageAndWritesNoLog)
{
    WineRunResult r = install("uninstall_support = true", {"caption \"Installation complete\" -> press \"OK\""});
    ASSERT_EQ("", r.failure) << r.Transcript();
    const WineWindow* done = r.FindWindow("Installation complete");
    ASSERT_NE(nullptr, done) << r.Transcript();
    EXPECT_EQ("Report Test is installed.", done->MessageText());
    EXPECT_FALSE(fs::exists(install_ / "Uninstall" / "Install.LOG"));
    // A product without a version has no version values.
    const auto values = registryValues(std::string(kUninstallKey) + "Report Test");
    EXPECT_EQ("REG_SZ Report Test", values.at("DisplayName"));
    EXPECT_EQ(0u, values.count("DisplayVersion") + values.count("VersionMajor") + values.count("VersionMinor"));
}

TEST_F(InstallReport, NoCompletionMessageFlagEndsWithoutABox)
{
    WineRunResult r = install("no_completion_message = true", {});
    EXPECT_EQ("", r.failure) << r.Transcript();
    EXPECT_EQ(1, r.exitCode) << r.Transcript();
}

TEST_F(InstallReport, ErrorsOfferTheLogWhichNamesThem)
{
    // A folder where a file is to go: that file cannot be written.
    fs::create_directories(install_ / "top.txt");
    WineRunResult r = install("", {"caption \"Installation errors\" -> press \"No\""});
    ASSERT_EQ("", r.failure) << r.Transcript();
    const WineWindow* question = r.FindWindow("Installation errors");
    ASSERT_NE(nullptr, question) << r.Transcript();
    const std::string logPath = WinePath((install_ / "Uninstall" / "Install.LOG").string());
    EXPECT_NE(std::string::npos, question->MessageText().find(logPath)) << question->MessageText();
    EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), question->Buttons());
    const std::string log = readText(install_ / "Uninstall" / "Install.LOG");
    EXPECT_NE(std::string::npos, log.find("This file could not be written:")) << log;
    EXPECT_NE(std::string::npos, log.find(WinePath((install_ / "top.txt").string()))) << log;
    EXPECT_EQ(std::string::npos, log.find("Install type:")) << log;
}

} // namespace
