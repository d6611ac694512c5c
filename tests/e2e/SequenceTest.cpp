// The installation's first steps under Wine, on installers the builder makes from the real
// engine: the language choice, the welcome question, the excluded systems, the master
// product, an existing installation, the licence and read-me pages and the directory loop,
// each seen as the user meets its boxes.

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

std::string folder()
{
    static std::string path = [] {
        char name[] = "/tmp/quiv-sequence-XXXXXX";
        return std::string(mkdtemp(name));
    }();
    return path;
}

ProductSpec product(const std::string& keyName)
{
    ProductSpec spec;
    spec.productName = "Sequence Test";
    spec.displayVersion = "1.10";
    spec.defaultDirectory = "Sequence Test";
    spec.uninstallerFileName = "Uninstall.exe";
    spec.uninstallKeyName = keyName;
    spec.setFlag(kFlagNoBackground);
    // These runs end as soon as the sequence is through; the completion box is tested elsewhere.
    spec.setFlag(kFlagNoCompletionMessage);
    std::vector<std::string> m(67);
    m[0] = "Sequence Test";
    m[1] = "Install <product> in <OS>?";
    m[2] = "Reinstall";
    m[3] = "Found";
    m[4] = "Same version";
    m[5] = "Older version";
    m[6] = "Newer version";
    m[7] = "Go on?";
    m[9] = "Already installed";
    m[11] = "Where to?";
    m[12] = "Master %s missing";
    m[14] = "Bad directory";
    m[21] = "Error";
    m[24] = "Choose Directory";
    m[48] = "Next >";
    m[49] = "Cancel";
    m[52] = "Browse";
    m[61] = "Not for %s";
    m[44] = "Licence";
    m[45] = "Accept";
    m[46] = "Decline";
    m[47] = "Please read";
    m[50] = "Read Me";
    m[51] = "Notes";
    m[65] = "Welcome";
    m[54] = "<product> Setup";
    spec.languages = {{"English", m}};
    return spec;
}

std::string makeInstaller(const std::string& name, const ProductSpec& spec)
{
    ArchiveContent content;
    content.settings = writeSettings(spec);
    content.storedSizes = {12, 34};
    content.fileData = storedFileData(content.storedSizes);
    ArchiveWriter::Result r = ArchiveWriter::writeInstaller(readBytes(Win64File("qsx.exe")), content, {});
    const std::string path = folder() + "/" + name + ".exe";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(r.image.data()), static_cast<std::streamsize>(r.image.size()));
    return path;
}

WineRunResult run(const std::string& installer, std::vector<std::string> args, std::vector<std::string> rules)
{
    WineRunOptions options;
    options.rules = std::move(rules);
    options.rules.push_back("caption \"Sequence Test Setup\"");  // the progress window
    return RunInWine(installer, args, options);
}

void regAdd(const std::string& key, const std::string& name, const std::string& value)
{
    WineRunResult r = RunInWine(kReg, {"add", kUninstallKey + key, "/v", name, "/d", value, "/f"}, WineRunOptions());
    ASSERT_EQ(r.exitCode, 0) << r.Transcript();
}

void regDelete(const std::string& key)
{
    RunInWine(kReg, {"delete", kUninstallKey + key, "/f"}, WineRunOptions());
}

// The one box with this caption; its text, or "<none>".
std::string boxText(const WineRunResult& r, const std::string& caption)
{
    std::string text = "<none>";
    int seen = 0;
    for (const WineWindow& w : r.windows)
        if (w.caption == caption) {
            text = w.MessageText();
            ++seen;
        }
    EXPECT_LE(seen, 1) << r.Transcript();
    return text;
}

// Whether the run showed no window but the progress window.
bool onlyProgressWindow(const WineRunResult& r)
{
    for (const WineWindow& w : r.windows)
        if (w.caption != "Sequence Test Setup")
            return false;
    return true;
}

class SequenceTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (readBytes(Win64File("qsx.exe")).empty())
            GTEST_SKIP() << "the x86_64 engine is not built";
    }
};

} // namespace

TEST_F(SequenceTest, WelcomeQuestionYesGoesOnNoEnds)
{
    for (const char* answer : {"Yes", "No"}) {
        SCOPED_TRACE(answer);
        const std::string dir = folder() + "/welcome-" + answer;
        const std::string installer = makeInstaller(std::string("welcome-") + answer, product("QuivSeqWelcome"));
        WineRunResult r = run(installer, {"/d:" + WinePath(dir)},
                              {std::string("caption \"Welcome\" -> press \"") + answer + "\""});
        EXPECT_EQ(r.failure, "") << r.Transcript();
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(boxText(r, "Welcome"), "Install Sequence Test in C:\\windows?");
        // Going on reaches the directory step, which creates the directory.
        EXPECT_EQ(isDirectory(dir), std::string(answer) == "Yes");
    }
}

TEST_F(SequenceTest, ExcludedSystems)
{
    ProductSpec all = product("QuivSeqExcluded");
    all.excludedSystems = 0xffffffffu;
    WineRunResult refused = run(makeInstaller("excluded-all", all), {}, {"caption \"Error\" -> press \"OK\""});
    EXPECT_EQ(refused.exitCode, 1) << refused.Transcript();
    const std::string text = boxText(refused, "Error");
    EXPECT_EQ(text.rfind("Not for Windows ", 0), 0u) << text;
    EXPECT_EQ(refused.FindWindow("Welcome"), nullptr);

    ProductSpec none = product("QuivSeqExcluded");
    none.excludedSystems = 0;
    WineRunResult accepted = run(makeInstaller("excluded-none", none), {}, {"caption \"Welcome\" -> press \"No\""});
    EXPECT_EQ(accepted.failure, "") << accepted.Transcript();
    EXPECT_EQ(boxText(accepted, "Welcome"), "Install Sequence Test in C:\\windows?");
}

TEST_F(SequenceTest, MasterProductMissingOrWithoutUninstallString)
{
    regDelete("QuivSeqMaster");
    ProductSpec spec = product("QuivSeqChild");
    spec.setFlag(kFlagMasterUpdate);
    spec.masterKeyName = "QuivSeqMaster";
    const std::string installer = makeInstaller("master", spec);
    const std::vector<std::string> rules = {"caption \"Error\" -> press \"OK\""};

    WineRunResult missing = run(installer, {}, rules);
    EXPECT_EQ(missing.exitCode, 1) << missing.Transcript();
    EXPECT_EQ(boxText(missing, "Error"), "Master QuivSeqMaster missing");

    // A key without an uninstall command does not count as installed.
    regAdd("QuivSeqMaster", "InstallLocation", "C:\\Master");
    WineRunResult bare = run(installer, {}, rules);
    EXPECT_EQ(boxText(bare, "Error"), "Master QuivSeqMaster missing") << bare.Transcript();

    regAdd("QuivSeqMaster", "UninstallString", "C:\\Master\\Uninstall.exe");
    WineRunResult installed = run(installer, {}, {"caption \"Welcome\" -> press \"No\""});
    EXPECT_EQ(installed.failure, "") << installed.Transcript();
    EXPECT_NE(installed.FindWindow("Welcome"), nullptr) << installed.Transcript();
    regDelete("QuivSeqMaster");
}

TEST_F(SequenceTest, ExistingInstallationRefusedEvenInAutomaticMode)
{
    const std::string existing = folder() + "/existing";
    mkdir(existing.c_str(), 0755);
    regAdd("QuivSeqExisting", "InstallLocation", WinePath(existing));
    ProductSpec spec = product("QuivSeqExisting");
    spec.setFlag(kFlagUninstallSupport);
    spec.setFlag(kFlagRefuseExisting);
    const std::string installer = makeInstaller("existing", spec);

    WineRunResult r = run(installer, {"/a"}, {"caption \"Error\" -> press \"OK\""});
    EXPECT_EQ(r.exitCode, 1) << r.Transcript();
    EXPECT_EQ(boxText(r, "Error"), "Already installed");

    // Without the refusal the reinstall question compares the versions: 1.2 is below 1.10.
    regAdd("QuivSeqExisting", "DisplayVersion", "1.2");
    ProductSpec asking = product("QuivSeqExisting");
    asking.setFlag(kFlagUninstallSupport);
    asking.setFlag(kFlagCompareVersions);
    WineRunResult question = run(makeInstaller("existing-asks", asking), {},
                                 {"caption \"Welcome\" -> press \"Yes\"", "caption \"Reinstall\" -> press \"No\""});
    EXPECT_EQ(question.failure, "") << question.Transcript();
    EXPECT_EQ(boxText(question, "Reinstall"), "Older version\r\n" + WinePath(existing) + "\r\n\r\nGo on?");

    // An installation whose directory is gone counts as none: automatic mode asks nothing.
    rmdir(existing.c_str());
    WineRunResult gone = run(installer, {"/a"}, {});
    EXPECT_EQ(gone.failure, "") << gone.Transcript();
    EXPECT_TRUE(onlyProgressWindow(gone)) << gone.Transcript();
    regDelete("QuivSeqExisting");
}

TEST_F(SequenceTest, DirectoryLoopRejectsThenAccepts)
{
    ProductSpec spec = product("QuivSeqDirectory");
    spec.setFlag(kFlagAskDirectory);
    const std::string installer = makeInstaller("directory", spec);
    const std::string dir = folder() + "/chosen/sub";

    WineRunResult r = run(installer, {},
                          {"caption \"Welcome\" -> press \"Yes\"",
                           "once caption \"Choose Directory\" -> type 1015 \"relative\" press \"Next >\"",
                           "caption \"Error\" -> press \"OK\"",
                           "caption \"Choose Directory\" -> type 1015 \"" + WinePath(dir) + "\" press \"Next >\""});
    EXPECT_EQ(r.failure, "") << r.Transcript();
    EXPECT_EQ(boxText(r, "Error"), "Bad directory\r\nrelative");
    EXPECT_TRUE(isDirectory(dir)) << r.Transcript();

    WineRunResult cancelled = run(installer, {},
                                  {"caption \"Welcome\" -> press \"Yes\"", "caption \"Choose Directory\" -> press \"Cancel\""});
    EXPECT_EQ(cancelled.failure, "") << cancelled.Transcript();
    EXPECT_EQ(cancelled.exitCode, 1);
}

namespace {

// The product in three languages; the second and third have their own welcome and buttons.
ProductSpec threeLanguages()
{
    ProductSpec spec = product("QuivSeqLanguage");
    std::vector<std::string> de = spec.languages[0].messages;
    de[1] = "<product> installieren?";
    de[48] = "Weiter >";
    de[49] = "Abbrechen";
    de[65] = "Willkommen";
    std::vector<std::string> fr = spec.languages[0].messages;
    fr[1] = "Installer <product>?";
    fr[48] = "Suivant >";
    fr[49] = "Annuler";
    fr[65] = "Bienvenue";
    spec.languages.push_back({"Deutsch", de});
    spec.languages.push_back({"Francais", fr});
    return spec;
}

} // namespace

TEST_F(SequenceTest, LanguageChoiceSelectsTheLaterTexts)
{
    const std::string installer = makeInstaller("languages", threeLanguages());
    WineRunResult r = run(installer, {},
                          {"once caption \"Choose Your Language\" text \"Next >\" -> select 1017 \"Deutsch\"",
                           "caption \"Choose Your Language\" text \"Abbrechen\" -> press \"Weiter >\"",
                           "caption \"Willkommen\" -> press \"No\""});
    EXPECT_EQ(r.failure, "") << r.Transcript();
    EXPECT_EQ(r.exitCode, 1);
    const WineWindow* dialog = r.FindWindow("Choose Your Language");
    ASSERT_NE(dialog, nullptr) << r.Transcript();
    ASSERT_NE(dialog->Control(1017), nullptr);
    EXPECT_EQ(dialog->Control(1017)->items, (std::vector<std::string>{"English", "Deutsch", "Francais"}));
    EXPECT_EQ(dialog->Buttons(), (std::vector<std::string>{"Next >", "Cancel"}));
    // The selection re-titles the dialog's buttons, and the welcome question follows it.
    int retitled = 0;
    for (const WineWindow& w : r.windows)
        if (w.caption == "Choose Your Language" && w.Buttons() == std::vector<std::string>{"Weiter >", "Abbrechen"})
            ++retitled;
    EXPECT_GE(retitled, 1) << r.Transcript();
    EXPECT_EQ(boxText(r, "Willkommen"), "Sequence Test installieren?");
    EXPECT_EQ(r.FindWindow("Welcome"), nullptr);

    // A double click chooses at once.
    WineRunResult clicked = run(installer, {},
                                {"caption \"Choose Your Language\" -> dblclick 1017 \"Francais\"",
                                 "caption \"Bienvenue\" -> press \"No\""});
    EXPECT_EQ(clicked.failure, "") << clicked.Transcript();
    EXPECT_EQ(boxText(clicked, "Bienvenue"), "Installer Sequence Test?");

    // Cancelling the choice ends the program before any question.
    WineRunResult cancelled = run(installer, {}, {"caption \"Choose Your Language\" -> press \"Cancel\""});
    EXPECT_EQ(cancelled.failure, "") << cancelled.Transcript();
    EXPECT_EQ(cancelled.exitCode, 1);
    EXPECT_EQ(cancelled.windows.size(), 1u) << cancelled.Transcript();
}

TEST_F(SequenceTest, AutomaticModeSkipsTheLanguageDialog)
{
    const std::string dir = folder() + "/languages-automatic";
    WineRunResult r = run(makeInstaller("languages-automatic", threeLanguages()), {"/a", "/d:" + WinePath(dir)}, {});
    EXPECT_EQ(r.failure, "") << r.Transcript();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(onlyProgressWindow(r)) << r.Transcript();
    EXPECT_TRUE(isDirectory(dir)) << r.Transcript();
}

TEST_F(SequenceTest, LicencePages)
{
    struct Case {
        const char* name;
        std::string intro;                  // message 63
        std::vector<std::string> licences;
        std::vector<std::string> presses;   // per licence page shown, in order
        std::vector<std::string> shown;     // the texts of the pages shown
        bool goesOn;
    };
    const Case cases[] = {
        {"blank", "", {"", " \r\n\t"}, {}, {}, true},
        {"declined", "", {"Terms of <product>", "More terms"}, {"Decline"}, {"Terms of Sequence Test"}, false},
        {"accepted", "Read first", {"", "Terms of <PRODUCT>"}, {"Accept", "Accept"},
         {"Read first", "Terms of Sequence Test"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProductSpec spec = product("QuivSeqLicence");
        spec.languages[0].messages[63] = c.intro;
        spec.licenceTexts = c.licences;
        const std::string dir = folder() + "/licence-" + c.name;
        std::vector<std::string> rules = {"caption \"Welcome\" -> press \"Yes\""};
        for (const std::string& press : c.presses)
            rules.push_back("once caption \"Licence\" -> press \"" + press + "\"");
        WineRunResult r = run(makeInstaller(std::string("licence-") + c.name, spec), {"/d:" + WinePath(dir)}, rules);
        EXPECT_EQ(r.failure, "") << r.Transcript();
        EXPECT_EQ(r.exitCode, 1);
        std::vector<std::string> shown;
        for (const WineWindow& w : r.windows)
            if (w.caption == "Licence" && w.Control(1005)) {
                shown.push_back(w.Control(1005)->text);
                EXPECT_EQ(w.Buttons(), (std::vector<std::string>{"Accept", "Decline"}));
                ASSERT_NE(w.Control(1009), nullptr);
                EXPECT_EQ(w.Control(1009)->text, "Please read");
            }
        EXPECT_EQ(shown, c.shown) << r.Transcript();
        EXPECT_EQ(isDirectory(dir), c.goesOn) << r.Transcript();
    }
}

TEST_F(SequenceTest, ReadmePageGoesOnOrEnds)
{
    ProductSpec spec = product("QuivSeqReadme");
    spec.readmeTexts = {"About <product>\nline two"};
    const std::string installer = makeInstaller("readme", spec);
    for (const char* answer : {"Next >", "Cancel"}) {
        SCOPED_TRACE(answer);
        const std::string dir = folder() + "/readme-" + (answer[0] == 'N' ? "next" : "cancel");
        WineRunResult r = run(installer, {"/d:" + WinePath(dir)},
                              {"caption \"Welcome\" -> press \"Yes\"",
                               std::string("caption \"Read Me\" -> press \"") + answer + "\""});
        EXPECT_EQ(r.failure, "") << r.Transcript();
        EXPECT_EQ(r.exitCode, 1);
        const WineWindow* page = r.FindWindow("Read Me");
        ASSERT_NE(page, nullptr) << r.Transcript();
        ASSERT_NE(page->Control(1005), nullptr);
        EXPECT_EQ(page->Control(1005)->text, "About Sequence Test\r\nline two");
        EXPECT_EQ(page->Buttons(), (std::vector<std::string>{"Next >", "Cancel"}));
        EXPECT_EQ(isDirectory(dir), answer[0] == 'N') << r.Transcript();
    }
}
