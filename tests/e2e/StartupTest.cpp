// The engine's start: the command line's usage errors, a program without an archive, the
// uninstall switch, and a program whose archive section is damaged.

#include "app/portable/CommandLine.h"
#include "app/portable/FatalTexts.h"
#include "builder/PeSectionWriter.h"
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kQsx = Win64File("qsx.exe");
const std::string kAcceptFatal = "caption \"FATAL ERROR\" -> press \"OK\"";

WineRunOptions withRules(std::vector<std::string> rules)
{
    WineRunOptions o;
    o.rules = std::move(rules);
    return o;
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char chunk[65536];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(f);
    }
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// The one "FATAL ERROR" box of a run that should show exactly that, and exit code 1.
const WineWindow* onlyFatalBox(const WineRunResult& r)
{
    EXPECT_EQ("", r.failure) << r.Transcript();
    EXPECT_EQ(1, r.exitCode) << r.Transcript();
    EXPECT_EQ(1u, r.windows.size()) << r.Transcript();
    const WineWindow* box = r.FindWindow("FATAL ERROR");
    if (box) {
        EXPECT_EQ("FATAL ERROR", box->caption);
        EXPECT_EQ("#32770", box->className);
        EXPECT_EQ(std::vector<std::string>{"OK"}, box->Buttons());
    }
    return box;
}

} // namespace

TEST(Startup, ProgramWithoutArchiveSaysSoAndEnds)
{
    WineRunResult r = RunInWine(kQsx, {}, withRules({kAcceptFatal}));
    const WineWindow* box = onlyFatalBox(r);
    ASSERT_NE(nullptr, box) << r.Transcript();
    EXPECT_EQ(kNoArchiveText, box->MessageText());
}

TEST(Startup, UsageErrorsShowTheUsageText)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"/u"}, "Product name required"},
        {{"/uX"}, "Product name required"},
        {{"/a", "/ab"}, "Illegal command line atom:\nab"},
        {{"x"}, "Unexpected command line parameter:\nx"},
        {{"/r:notepad.exe"}, "Illegal command line atom:\nr:notepad.exe"},
    };
    for (const Case& c : cases) {
        WineRunResult r = RunInWine(kQsx, c.args, withRules({kAcceptFatal}));
        const WineWindow* box = onlyFatalBox(r);
        ASSERT_NE(nullptr, box) << c.message << "\n" << r.Transcript();
        EXPECT_EQ(std::string(usageText(c.message, "qsx.exe").CStr()), box->MessageText()) << c.message;
    }
}

TEST(Startup, OnlyTheFirstNineteenAtomsAreExamined)
{
    // A malformed twentieth atom is never looked at: the run goes on to look for its archive.
    std::vector<std::string> args(19, "/a");
    args.push_back("/ab");
    WineRunResult r = RunInWine(kQsx, args, withRules({kAcceptFatal}));
    const WineWindow* box = onlyFatalBox(r);
    ASSERT_NE(nullptr, box) << r.Transcript();
    EXPECT_EQ(kNoArchiveText, box->MessageText());

    // The same atom in nineteenth place is refused.
    args.erase(args.begin());
    r = RunInWine(kQsx, args, withRules({kAcceptFatal}));
    box = onlyFatalBox(r);
    ASSERT_NE(nullptr, box) << r.Transcript();
    EXPECT_EQ(std::string(usageText("Illegal command line atom:\nab", "qsx.exe").CStr()), box->MessageText());
}

TEST(Startup, UninstallSaysItIsNotAvailableAndFails)
{
    // Also in automatic mode: the answer is a box, never a silent success.
    WineRunResult r = RunInWine(kQsx, {"/a", "/u:SomeProduct"}, withRules({"caption \"Error\" -> press \"OK\""}));
    EXPECT_EQ(1, r.exitCode) << r.Transcript();
    ASSERT_EQ(1u, r.windows.size()) << r.Transcript();
    EXPECT_NE(std::string::npos, r.windows[0].MessageText().find("not available")) << r.Transcript();
    EXPECT_NE(std::string::npos, r.windows[0].MessageText().find("SomeProduct")) << r.Transcript();
}

TEST(Startup, DamagedArchiveShowsTheBuiltInCorruptText)
{
    char folder[] = "/tmp/qsx-startup-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    const std::string installer = std::string(folder) + "/setup.exe";
    PeSectionWriter writer(readFile(kQsx));
    ASSERT_TRUE(writeFile(installer, writer.addSection(".quiv", std::vector<uint8_t>(64, 0x5A))));

    // The magic number is checked before any language is read: the built-in text, code 20.
    WineRunResult r = RunInWine(installer, {}, withRules({kAcceptFatal}));
    const WineWindow* box = onlyFatalBox(r);
    ASSERT_NE(nullptr, box) << r.Transcript();
    EXPECT_EQ(std::string(corruptInstallerText(String(), 20).CStr()), box->MessageText());

    unlink(installer.c_str());
    rmdir(folder);
}
