// The Wine test bed itself: uidriver reads the windows of a small probe program, answers
// them by rules, and reports how the program ended.

#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kProbe = Win64File("tests/fixtures/uiprobe.exe");
const std::string kYes = "caption \"Probe question\" -> press \"Yes\"";

WineRunOptions withRules(std::vector<std::string> rules) {
    WineRunOptions o;
    o.rules = std::move(rules);
    return o;
}

std::string readFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        char chunk[4096];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
        fclose(f);
    }
    return bytes;
}

TEST(WineBed, ReadsTheWindowsAnswersThemAndReturnsTheExitCode) {
    char folder[] = "/tmp/winebed-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    WineRunOptions o = withRules({kYes, "caption \"Probe dialog\" -> type 102 \"hello\" select 103 \"Gamma\" press \"OK\""});
    o.shotsDir = folder;
    WineRunResult r = RunInWine(kProbe, {}, o);
    // Yes (100) + third item (30) + five letters.
    ASSERT_EQ(r.exitCode, 135) << r.Transcript();
    EXPECT_EQ(r.status, 135);
    EXPECT_EQ(r.failure, "");
    ASSERT_EQ(r.windows.size(), 2u) << r.Transcript();

    const WineWindow* box = r.FindWindow("Continue with the probe?");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->caption, "Probe question");
    EXPECT_EQ(box->className, "#32770");
    EXPECT_EQ(box->MessageText(), "Continue with the probe?");
    EXPECT_EQ(box->Buttons(), (std::vector<std::string>{"&Yes", "&No"}));

    const WineWindow* dialog = r.FindWindow("Probe dialog");
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(dialog->Control(101), nullptr);
    EXPECT_EQ(dialog->Control(101)->text, "Name and choice");
    ASSERT_NE(dialog->Control(103), nullptr);
    EXPECT_EQ(dialog->Control(103)->items, (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(dialog->Control(102)->className, "Edit");

    // Each window's screenshot is a PNG file in the folder.
    for (const WineWindow& w : r.windows) {
        ASSERT_FALSE(w.shot.empty());
        std::string name = w.shot.substr(w.shot.rfind('\\') + 1);
        std::string png = readFile(std::string(folder) + "/" + name);
        EXPECT_GT(png.size(), 1000u) << name;
        EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << name;
        unlink((std::string(folder) + "/" + name).c_str());
    }
    rmdir(folder);
}

TEST(WineBed, ChecksABoxAndDoubleClicksAListItem) {
    WineRunResult r = RunInWine(kProbe, {}, withRules({
        "caption \"Probe question\" -> press \"No\"",
        "caption \"Probe dialog\" -> type 102 \"ab\" press \"remember\" dblclick 103 \"beta\""}));
    EXPECT_EQ(r.exitCode, 222) << r.Transcript();  // No, second item, two letters, checked
    const WineWindow* dialog = r.FindWindow("Probe dialog");
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(dialog->Control(104), nullptr);
    EXPECT_EQ(dialog->Control(104)->checked, 0);  // as shown, before the rule's actions
}

TEST(WineBed, AnswersTheWindowsOfProcessesTheProgramStartsAndWaitsForThem) {
    WineRunResult r = RunInWine(kProbe, {"--handoff"}, withRules({kYes,
        "caption \"Probe dialog\" -> press \"Cancel\""}));
    EXPECT_EQ(r.exitCode, 0) << r.Transcript();  // the exit code is the started program's
    EXPECT_NE(r.FindWindow("Continue with the probe?"), nullptr) << r.Transcript();
    EXPECT_NE(r.FindWindow("Probe dialog"), nullptr) << r.Transcript();
}

TEST(WineBed, StrictModeEndsTheRunOnWhatTheScriptDoesNotExpect) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> rules;
        const char* reason;
        const char* lastWindow;
    };
    const Case cases[] = {
        {"unexpected window", {"--surprise"}, {kYes}, "unexpected window", "Did not expect this"},
        {"missing button", {}, {"caption \"Probe question\" -> press \"Maybe\""}, "no button \"Maybe\"",
         "Continue with the probe?"},
        {"missing list item", {}, {kYes, "caption \"Probe dialog\" -> select 103 \"Delta\""},
         "control 103 has no item \"Delta\"", "Name and choice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WineRunResult r = RunInWine(kProbe, c.args, withRules(c.rules));
        EXPECT_EQ(r.status, 125) << r.Transcript();
        EXPECT_EQ(r.exitCode, -1);
        EXPECT_EQ(r.failure, c.reason);
        ASSERT_FALSE(r.windows.empty());
        EXPECT_TRUE(r.windows.back().HasText(c.lastWindow)) << r.Transcript();
    }
}

TEST(WineBed, TimeoutKillsAProgramLeftWaiting) {
    WineRunOptions o = withRules({kYes});
    o.strict = false;
    o.timeoutSeconds = 3;
    WineRunResult r = RunInWine(kProbe, {}, o);  // nothing answers the dialog
    EXPECT_EQ(r.status, 124) << r.Transcript();
    EXPECT_TRUE(r.timedOut);
    EXPECT_EQ(r.exitCode, -1);
    EXPECT_EQ(r.failure, "no exit within 3 s");
}

TEST(WineBed, ExitCodeComesThroughWhole) {
    WineRunResult r = RunInWine(kProbe, {"--code", "300"}, WineRunOptions());
    EXPECT_EQ(r.exitCode, 300) << r.Transcript();
    EXPECT_EQ(r.status, 300 & 0xFF);  // Linux sees the low 8 bits only
    EXPECT_TRUE(r.windows.empty());
}

}  // namespace
