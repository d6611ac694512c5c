// The installer's windows as a user meets them: uishow (tests/fixtures/uishow) shows the
// background window and each dialog with a small language table; uidriver answers them and
// takes their pictures into the build folder (ui-shots/<test>/).

#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

const std::string kShow = Win64File("tests/fixtures/uishow.exe");
const std::string kBackground = "class \"QSX Window Class\"";

// The rules, with the pictures going to ui-shots/<test name>/.
WineRunOptions withRules(std::vector<std::string> rules)
{
    WineRunOptions o;
    o.rules = std::move(rules);
    const std::string folder = Win64File("ui-shots");
    mkdir(folder.c_str(), 0755);
    o.shotsDir = folder + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    mkdir(o.shotsDir.c_str(), 0755);
    return o;
}

// A rule answering the first window with the caption, and one that expects it again after.
std::vector<std::string> answerOnce(const std::string& caption, const std::string& actions)
{
    return {"once caption \"" + caption + "\" -> " + actions, "caption \"" + caption + "\""};
}

void add(std::vector<std::string>& rules, const std::vector<std::string>& more)
{
    rules.insert(rules.end(), more.begin(), more.end());
}

std::string controlText(const WineWindow* w, int id)
{
    const WineControl* c = w ? w->Control(id) : nullptr;
    return c ? c->text : "<no control>";
}

} // namespace

TEST(Ui, DialogsInTurnWithTheirTextsAndAnswers)
{
    const std::string longPath = "C:\\" + std::string(297, 'x');
    std::vector<std::string> rules = {"text \"Go on with Quiv Demo?\" -> press \"Yes\"", kBackground};
    // Selecting German re-titles at once; the double click then takes English.
    add(rules, answerOnce("Choose Your Language", "select 1017 \"Deutsch\" dblclick 1017 \"English\""));
    add(rules, answerOnce("Licence Agreement", "press \"I Accept\""));
    add(rules, answerOnce("Read Me", "press \"Next >\""));
    add(rules, answerOnce("Choose Directory", "type 1015 \"" + longPath + "\" press \"Next >\""));
    rules.push_back("caption \"Installation\"");
    WineRunResult r = RunInWine(kShow, {}, withRules(rules));

    // All answers went on, English stayed, the directory kept 259 characters.
    ASSERT_EQ(r.exitCode, 31 | (0 << 8) | (259 << 12)) << r.Transcript();

    const WineWindow* language = r.FindWindow("Choose Your Language");
    ASSERT_NE(language, nullptr);
    ASSERT_NE(language->Control(1017), nullptr);
    EXPECT_EQ(language->Control(1017)->items, (std::vector<std::string>{"English", "Deutsch", "Francais"}));
    EXPECT_EQ(language->Control(1017)->selected, 0);
    EXPECT_EQ(controlText(language, 1001), "Next >");
    EXPECT_EQ(controlText(language, 1003), "Cancel");

    const WineWindow* licence = r.FindWindow("Licence Agreement");
    EXPECT_EQ(controlText(licence, 1009), "Please read the following licence agreement carefully.");
    EXPECT_EQ(controlText(licence, 1001), "I Accept");
    EXPECT_EQ(controlText(licence, 1003), "I Decline");
    EXPECT_NE(controlText(licence, 1005).find("QUIV DEMO LICENCE\r\n\r\nThis demonstration"), std::string::npos);

    const WineWindow* directory = r.FindWindow("Choose Directory");
    EXPECT_EQ(controlText(directory, 1009), "Please choose the folder for Quiv Demo:");
    EXPECT_EQ(controlText(directory, 1015), "C:\\Program Files\\Quiv Demo");
    EXPECT_EQ(controlText(directory, 1013), "Browse...");

    const WineWindow* progress = r.FindWindow("Installing Quiv Demo...");
    ASSERT_NE(progress, nullptr) << r.Transcript();
    EXPECT_EQ(progress->caption, "Installation");
    EXPECT_EQ(controlText(progress, 1011), "Copying demo.exe");
    ASSERT_NE(progress->Control(1003), nullptr);
    EXPECT_FALSE(progress->Control(1003)->disabled);
}

TEST(Ui, DecliningTheLicenceAndCancellingTheLanguageReport1003)
{
    std::vector<std::string> rules = {"text \"Go on with\" -> press \"No\"", kBackground,
                                      "caption \"Installation\""};
    add(rules, answerOnce("Choose Your Language", "dblclick 1017 \"Deutsch\""));
    add(rules, answerOnce("Lizenzvertrag", "press \"Ablehnen\""));
    add(rules, answerOnce("Liesmich", "press \"Abbrechen\""));
    add(rules, answerOnce("Ordner w", "press \"Abbrechen\""));
    WineRunResult r = RunInWine(kShow, {}, withRules(rules));
    // Only the language went on (German, index 1); the directory is unchanged.
    EXPECT_EQ(r.exitCode, 1 | (1 << 8) | (26 << 12)) << r.Transcript();
}

TEST(Ui, ConfirmedCancelLeavesThroughTheExitPath)
{
    std::vector<std::string> rules = {kBackground, "caption \"Cancel Setup\" -> press \"Yes\""};
    add(rules, answerOnce("Installation", "press \"Cancel\""));
    WineRunResult r = RunInWine(kShow, {"--cancel"}, withRules(rules));
    EXPECT_EQ(r.exitCode, 1) << r.Transcript();
    const WineWindow* question = r.FindWindow("Cancel Setup");
    ASSERT_NE(question, nullptr) << r.Transcript();
    EXPECT_EQ(question->MessageText(), "Do you really want to cancel the installation of Quiv Demo?");
    EXPECT_EQ(question->Buttons(), (std::vector<std::string>{"&Yes", "&No"}));
}

TEST(Ui, UninstallProgressHasItsOwnTextsAndNoCancel)
{
    WineRunResult r = RunInWine(kShow, {"--uninstall"}, withRules({
        "text \"Removed.\" -> press \"Yes\"", kBackground, "caption \"Uninstallation\""}));
    EXPECT_EQ(r.exitCode, 3) << r.Transcript();
    const WineWindow* progress = r.FindWindow("Removing Quiv Demo...");
    ASSERT_NE(progress, nullptr) << r.Transcript();
    EXPECT_EQ(progress->caption, "Uninstallation");
    ASSERT_NE(progress->Control(1003), nullptr);
    EXPECT_TRUE(progress->Control(1003)->disabled);
}
