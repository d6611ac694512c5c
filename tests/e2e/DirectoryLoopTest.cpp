// The directory dialog's loop under Wine: each rejected entry shows its box and brings the
// dialog back, where a good entry is then accepted; the disk-space and the confirmation
// questions answered No return to the dialog; a "<master>" default shows the master's
// directory.

#include "archive/format/SettingsLayout.h"
#include "builder/ArchiveWriter.h"
#include "builder/SettingsWriter.h"
#include "tests/support/StoredFileData.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kUninstallKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kReg[] = "C:\\windows\\system32\\reg.exe";
const char kDirectoryEdit[] = "1015";

std::string folder()
{
    static std::string path = [] {
        char name[] = "/tmp/quiv-dirloop-XXXXXX";
        return std::string(mkdtemp(name));
    }();
    return path;
}

ProductSpec product()
{
    ProductSpec spec;
    spec.productName = "Loop Test";
    spec.displayVersion = "1.0";
    spec.defaultDirectory = "Loop Test";
    spec.uninstallerFileName = "Uninstall.exe";
    spec.uninstallKeyName = "QuivLoopTest";
    spec.setFlag(kFlagNoBackground);
    // These runs end as soon as the sequence is through; the completion box is tested elsewhere.
    spec.setFlag(kFlagNoCompletionMessage);
    spec.setFlag(kFlagAskDirectory);
    std::vector<std::string> m(67);
    m[0] = "Loop Test";
    m[1] = "Install <product>?";
    m[11] = "Where to?";
    m[12] = "Master %s missing";
    m[14] = "Bad directory";
    m[16] = "No drive %c";
    m[17] = "Not a root";
    m[18] = "Not %s itself";
    m[19] = "Need %s on %c:, free %s";
    m[20] = "Disk Space";
    m[21] = "Error";
    m[22] = "Use existing %s?";
    m[23] = "Create %s?";
    m[24] = "Choose Directory";
    m[25] = "Cannot create";
    m[48] = "Next >";
    m[49] = "Cancel";
    m[52] = "Browse";
    m[65] = "Welcome";
    m[66] = "No network";
    m[54] = "<product> Setup";
    spec.languages = {{"English", m}};
    return spec;
}

// An installer of the product with files of storedSizes. Without withData the archive has no
// file data: for runs that end before extraction (terabytes of sizes cannot be made).
std::string makeInstaller(const std::string& name, const ProductSpec& spec, std::vector<int32_t> storedSizes = {12, 34},
                          bool withData = true)
{
    ArchiveContent content;
    content.settings = writeSettings(spec);
    content.storedSizes = std::move(storedSizes);
    if (withData)
        content.fileData = storedFileData(content.storedSizes);
    ArchiveWriter::Result r = ArchiveWriter::writeInstaller(readBytes(Win64File("qsx.exe")), content, {});
    const std::string path = folder() + "/" + name + ".exe";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(r.image.data()), static_cast<std::streamsize>(r.image.size()));
    return path;
}

WineRunResult run(const std::string& installer, std::vector<std::string> rules)
{
    WineRunOptions options;
    options.rules = std::move(rules);
    options.rules.push_back("caption \"Loop Test Setup\"");  // the progress window
    return RunInWine(installer, {}, options);
}

// A rule's quoted text: backslashes and quotes escaped.
std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '\\' || ch == '"')
            out += '\\';
        out += ch;
    }
    return out + "\"";
}

// The directory dialog, told apart from the confirmation box that shares its caption.
std::string dialogRule(const std::string& entry, bool once)
{
    return std::string(once ? "once " : "") + "caption \"Choose Directory\" text \"Where to?\" -> type " +
           kDirectoryEdit + " " + quoted(entry) + " press \"Next >\"";
}

std::vector<const WineWindow*> windowsCaptioned(const WineRunResult& r, const std::string& caption)
{
    std::vector<const WineWindow*> found;
    for (const WineWindow& w : r.windows)
        if (w.caption == caption)
            found.push_back(&w);
    return found;
}

class DirectoryLoopTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (readBytes(Win64File("qsx.exe")).empty())
            GTEST_SKIP() << "the x86_64 engine is not built";
    }
};

} // namespace

TEST_F(DirectoryLoopTest, RejectedEntryShowsItsBoxThenGoodEntryIsAccepted)
{
    struct Case {
        const char* name;
        bool refuseNetwork;
        const char* entry;
        const char* box;  // the error box's text; a trailing '*' compares only the part before it
    };
    const Case cases[] = {
        {"root", false, "C:\\", "Not a root"},
        {"program-files", false, "C:\\Program Files\\", "Not C:\\Program Files itself"},
        {"star", false, "C:\\a*b", "Bad directory\r\nC:\\a*b"},
        {"no-drive", false, "q:\\dir", "No drive Q"},
        {"unc-refused", true, "\\\\server\\share\\dir", "No network"},
        // Without the refusal the network path passes every check; creating it fails here.
        {"unc-allowed", false, "\\\\server\\share\\dir", "Cannot create\r\n\\\\server\\share\\dir\r\n\r\n*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProductSpec spec = product();
        if (c.refuseNetwork)
            spec.setFlag(kFlagRefuseNetworkDirectory);
        const std::string good = folder() + "/good-" + c.name;
        WineRunResult r = run(makeInstaller(std::string("loop-") + c.name, spec),
                              {"caption \"Welcome\" -> press \"Yes\"", dialogRule(c.entry, true),
                               "caption \"Error\" -> press \"OK\"", dialogRule(WinePath(good), false)});
        EXPECT_EQ(r.failure, "") << r.Transcript();
        EXPECT_EQ(r.exitCode, 1);
        const std::vector<const WineWindow*> errors = windowsCaptioned(r, "Error");
        ASSERT_EQ(errors.size(), 1u) << r.Transcript();
        std::string expected = c.box;
        std::string text = errors[0]->MessageText();
        if (!expected.empty() && expected.back() == '*') {
            expected.pop_back();
            text = text.substr(0, expected.size());
        }
        EXPECT_EQ(text, expected);
        EXPECT_EQ(windowsCaptioned(r, "Choose Directory").size(), 2u) << r.Transcript();
        EXPECT_TRUE(isDirectory(good)) << r.Transcript();
    }
}

TEST_F(DirectoryLoopTest, DiskSpaceQuestionAnsweredNoReturnsToDialog)
{
    // Far more than any test machine has free: 2048 files of the largest size, 1 GB each.
    const std::string installer = makeInstaller("diskspace", product(), std::vector<int32_t>(2048, 0x40000000), false);
    const std::string dir = folder() + "/diskspace";
    WineRunResult r = run(installer, {"caption \"Welcome\" -> press \"Yes\"", dialogRule(WinePath(dir), true),
                                      "caption \"Disk Space\" -> press \"No\"",
                                      "caption \"Choose Directory\" text \"Where to?\" -> press \"Cancel\""});
    EXPECT_EQ(r.failure, "") << r.Transcript();
    EXPECT_EQ(r.exitCode, 1);
    const std::vector<const WineWindow*> questions = windowsCaptioned(r, "Disk Space");
    ASSERT_EQ(questions.size(), 1u) << r.Transcript();
    EXPECT_EQ(questions[0]->MessageText().rfind("Need ", 0), 0u) << questions[0]->MessageText();
    EXPECT_NE(questions[0]->MessageText().find(" on Z:, free "), std::string::npos) << questions[0]->MessageText();
    EXPECT_EQ(windowsCaptioned(r, "Choose Directory").size(), 2u) << r.Transcript();
    EXPECT_FALSE(isDirectory(dir));
}

TEST_F(DirectoryLoopTest, ConfirmationNamesNewOrExistingDirectory)
{
    ProductSpec spec = product();
    spec.setFlag(kFlagConfirmDirectory);
    const std::string fresh = folder() + "/confirm-new";
    const std::string existing = folder() + "/confirm-existing";
    mkdir(existing.c_str(), 0755);
    WineRunResult r = run(makeInstaller("confirm", spec),
                          {"caption \"Welcome\" -> press \"Yes\"", dialogRule(WinePath(fresh), true),
                           "caption \"Choose Directory\" text \"Create \" -> press \"No\"",
                           dialogRule(WinePath(existing), false),
                           "caption \"Choose Directory\" text \"Use existing \" -> press \"Yes\""});
    EXPECT_EQ(r.failure, "") << r.Transcript();
    EXPECT_EQ(r.exitCode, 1);
    const WineWindow* create = r.FindWindow("Create ");
    const WineWindow* use = r.FindWindow("Use existing ");
    ASSERT_NE(create, nullptr) << r.Transcript();
    ASSERT_NE(use, nullptr) << r.Transcript();
    EXPECT_EQ(create->MessageText(), "Create " + WinePath(fresh) + "?");
    EXPECT_EQ(use->MessageText(), "Use existing " + WinePath(existing) + "?");
    // No keeps the new directory uncreated.
    EXPECT_FALSE(isDirectory(fresh));
}

TEST_F(DirectoryLoopTest, MasterDefaultShowsMastersDirectory)
{
    const std::string master = WinePath(folder() + "/master");
    const std::string key = std::string(kUninstallKey) + "QuivLoopMaster";
    for (const auto& value : std::vector<std::pair<std::string, std::string>>{
             {"UninstallString", master + "\\Uninstall.exe"}, {"InstallLocation", master}}) {
        WineRunResult added = RunInWine(kReg, {"add", key, "/v", value.first, "/d", value.second, "/f"}, WineRunOptions());
        ASSERT_EQ(added.exitCode, 0) << added.Transcript();
    }
    ProductSpec spec = product();
    spec.setFlag(kFlagMasterUpdate);
    spec.masterKeyName = "QuivLoopMaster";
    spec.defaultDirectory = "<MASTER>";
    WineRunResult r = run(makeInstaller("master", spec),
                          {"caption \"Welcome\" -> press \"Yes\"", "caption \"Choose Directory\" -> press \"Cancel\""});
    RunInWine(kReg, {"delete", key, "/f"}, WineRunOptions());
    EXPECT_EQ(r.failure, "") << r.Transcript();
    const WineWindow* dialog = r.FindWindow("Where to?");
    ASSERT_NE(dialog, nullptr) << r.Transcript();
    ASSERT_NE(dialog->Control(1015), nullptr) << r.Transcript();
    EXPECT_EQ(dialog->Control(1015)->text, master);
}
