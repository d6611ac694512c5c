// Installers made by the builder from the real engine, run under Wine: each fault of the
// archive section, its header and its settings block shows its fatal text, and the
// uninstaller image the engine builds is the one the builder predicts.

#include "app/portable/FatalTexts.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/ArchiveHeader.h"
#include "builder/ArchiveWriter.h"
#include "builder/SettingsWriter.h"
#include "builder/UninstallerImage.h"
#include "tests/support/StoredFileData.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

const char kFatalRule[] = "caption \"FATAL ERROR\" -> press \"OK\"";
// The background window is up for the faults found after the product flags.
const char kBackgroundClass[] = "QSX Window Class";
const char kBackgroundRule[] = "class \"QSX Window Class\"";
const char kProgressRule[] = "caption \"Archive Test Setup\"";
const char kMessage13[] = "Setup of this product failed its archive check (%d).";

std::string folder()
{
    static std::string path = [] {
        char name[] = "/tmp/quiv-archive-XXXXXX";
        return std::string(mkdtemp(name));
    }();
    return path;
}

ProductSpec typicalProduct()
{
    ProductSpec spec;
    spec.productName = "Archive Test";
    spec.publisher = "Quiv Tests";
    spec.displayVersion = "1.0";
    spec.defaultDirectory = "Archive Test";
    spec.uninstallerFileName = "Uninstall.exe";
    spec.licenceTexts = {"Licence of <product>."};
    std::vector<std::string> m = {"Archive Test", "Install <product>?", "Reinstall", "Already there"};
    m.resize(67);
    m[54] = "<product> Setup";  // the progress window of the accepted archives
    spec.languages = {{"English", m}};
    return spec;
}

struct Installer {
    std::string path;
    std::vector<uint8_t> image;
};

Installer makeInstaller(const std::string& name, const std::vector<uint8_t>& engine, const ProductSpec& spec,
                        const ArchiveCorruption& corruption = {},
                        const std::function<void(std::vector<uint8_t>&)>& editSettings = nullptr)
{
    ArchiveContent content;
    content.settings = writeSettings(spec);
    content.storedSizes = {12, 34};
    content.fileData = storedFileData(content.storedSizes);
    if (editSettings)
        editSettings(content.settings);
    ArchiveWriter::Result r = ArchiveWriter::writeInstaller(engine, content, corruption);
    Installer installer{folder() + "/" + name + ".exe", r.image};
    writeBytes(installer.path, installer.image);
    return installer;
}

WineRunResult run(const Installer& installer, std::vector<std::string> args = {})
{
    WineRunOptions options;
    options.rules = {kFatalRule, kBackgroundRule, kProgressRule};
    WineRunResult r = RunInWine(installer.path, args, options);
    std::vector<WineWindow> boxes;
    for (const WineWindow& w : r.windows)
        if (w.className != kBackgroundClass && w.caption != "Archive Test Setup")
            boxes.push_back(w);
    r.windows = boxes;
    return r;
}

// The one fatal box the run showed, or "" (with the transcript in the failure) when the run
// did not show exactly one.
std::string fatalText(const WineRunResult& r)
{
    EXPECT_EQ(r.failure, "") << r.Transcript();
    EXPECT_EQ(r.exitCode, 1) << r.Transcript();
    if (r.windows.size() != 1 || r.windows[0].caption != "FATAL ERROR") {
        ADD_FAILURE() << "expected one FATAL ERROR box:\n" << r.Transcript();
        return "";
    }
    return r.windows[0].MessageText();
}

std::string corruptText(int code, bool languageText = false)
{
    char text[1024];
    std::snprintf(text, sizeof text, languageText ? kMessage13 : kCorruptInstallerText, code);
    return text;
}

class ArchiveTest : public testing::Test {
protected:
    void SetUp() override
    {
        engine_ = readBytes(Win64File("qsx.exe"));
        if (engine_.empty())
            GTEST_SKIP() << "the x86_64 engine is not built";
    }
    std::vector<uint8_t> engine_;
};

} // namespace

TEST_F(ArchiveTest, EachFaultShowsTheCorruptTextWithItsCode)
{
    using C = ArchiveCorruption;
    using Edit = std::function<void(ProductSpec&)>;
    struct Case {
        const char* name;
        int code;
        C corruption;
        Edit spec;
        bool message13;   // the archive's language table is loaded when the fault is found
    };
    auto with = [](auto set) { C c; set(c); return c; };
    const Edit none = [](ProductSpec&) {};
    const std::vector<Case> cases = {
        {"raw-offset-0", kCorruptRawOffsetZero, with([](C& c) { c.sectionRawOffset = 0; }), none, false},
        {"magic", kCorruptMagic, with([](C& c) { c.magic = 0x12345678; }), none, false},
        {"settings-size-0", kCorruptSettingsSize, with([](C& c) { c.settingsSize = 0; }), none, false},
        {"settings-size-10485760", kCorruptSettingsSize, with([](C& c) { c.settingsSize = 10485760; }), none, false},
        {"settings-past-section", kCorruptOverrun, with([](C& c) { c.settingsSize = 10485759; }), none, false},
        {"archive-end", kCorruptArchiveEnd, with([](C& c) { c.archiveEnd = -1; }), none, false},
        {"file-count", kCorruptFileCount, with([](C& c) { c.fileCount = -1; }), none, false},
        {"data-size", kCorruptDataSize, with([](C& c) { c.dataSize = -1; }), none, false},
        {"stored-size", kCorruptStoredSize, with([](C& c) { c.storedSizes[1] = 0x40000001; }), none, false},
        {"not-compressed", kCorruptSettingsBlock, with([](C& c) { c.scrambleKey = 0x0BADF00D; }), none, false},
        {"settings-key", kCorruptSettingsChecksum, with([](C& c) { c.settingsKey = 0x0BADF00D; }), none, false},
        {"step-delay", kCorruptStepDelay, {}, [](ProductSpec& s) { s.stepDelay = 10000; }, false},
        {"bitmap-share", kCorruptBitmapShare, {}, [](ProductSpec& s) { s.bitmapSize = 101; }, false},
        {"licence-count", kCorruptLicenceCount, {}, [](ProductSpec& s) { s.licenceTexts.resize(21); }, false},
        {"readme-count", kCorruptReadmeCount, {}, [](ProductSpec& s) { s.readmeTexts.resize(21); }, false},
        {"volume-name", kCorruptVolumeName, {}, [](ProductSpec& s) { s.volumeBaseName = " \t"; }, false},
        {"patch-offset", kCorruptPatchOffset, {},
         [](ProductSpec& s) { s.setFlag(kFlagUninstallSupport); s.patchOffset = 0x7FFFFFFF; s.patchBytes = {1}; }, false},
        {"deletions", kCorruptDeletionCount, {}, [](ProductSpec& s) { s.deletions.resize(1002, {"a.txt", 0, "", 0}); }, false},
        {"associations", kCorruptAssociationCount, {}, [](ProductSpec& s) { s.associations.resize(10001); }, false},
        {"uninstall-values", kCorruptUninstallValueCount, {}, [](ProductSpec& s) { s.uninstallValues.resize(10001); }, false},
        {"language-count", kCorruptLanguageCount, {}, [](ProductSpec& s) { s.languages.clear(); }, false},
        {"message-count", kCorruptMessageCount, {}, [](ProductSpec& s) { s.languages[0].messages.clear(); }, false},
        {"stub-checksum", kCorruptStubChecksum, with([](C& c) { c.stubChecksum = 0x0BADF00D; }),
         [](ProductSpec& s) { s.setFlag(kFlagCheckStub); }, false},
        {"stub-checksum-message13", kCorruptStubChecksum, with([](C& c) { c.stubChecksum = 0x0BADF00D; }),
         [](ProductSpec& s) { s.setFlag(kFlagCheckStub); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProductSpec spec = typicalProduct();
        c.spec(spec);
        if (c.message13) {
            spec.languages[0].messages.resize(14);
            spec.languages[0].messages[13] = kMessage13;
        }
        Installer installer = makeInstaller(c.name, engine_, spec, c.corruption);
        EXPECT_EQ(fatalText(run(installer)), corruptText(c.code, c.message13));
    }
}

TEST_F(ArchiveTest, EndMarkerFaultUsesTheArchivesMessage13)
{
    // The end marker is checked after the language table: message 13 is there by then.
    for (bool withMessage : {false, true}) {
        ProductSpec spec = typicalProduct();
        if (withMessage) {
            spec.languages[0].messages.resize(14);
            spec.languages[0].messages[13] = kMessage13;
        }
        Installer installer = makeInstaller(withMessage ? "end-marker-13" : "end-marker", engine_, spec, {},
                                            [](std::vector<uint8_t>& block) { block.back() ^= 0xFF; });
        EXPECT_EQ(fatalText(run(installer)), corruptText(kCorruptEndMarker, withMessage)) << withMessage;
    }
}

TEST_F(ArchiveTest, VersionRule)
{
    for (int32_t version : {1000, 1120, 1121}) {
        SCOPED_TRACE(version);
        ArchiveCorruption c;
        c.version = version;
        // Accepted archives go on in automatic mode, which asks nothing.
        ProductSpec spec = typicalProduct();
        spec.setFlag(kFlagNoBackground);
        Installer installer = makeInstaller("version-" + std::to_string(version), engine_, spec, c);
        WineRunResult r = run(installer, {"/a"});
        if (version == 1121) {
            EXPECT_EQ(fatalText(r),
                      "The installer version (11.2) does not match the version of QUIV (11.2).  Close all "
                      "applications and reinstall QUIV.");
        } else {
            EXPECT_EQ(r.failure, "") << r.Transcript();
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_TRUE(r.windows.empty()) << r.Transcript();
        }
    }
}

TEST_F(ArchiveTest, UpperCaseSectionNameIsNoArchive)
{
    ArchiveCorruption c;
    c.sectionName = ".QUIV";
    Installer installer = makeInstaller("upper-case", engine_, typicalProduct(), c);
    EXPECT_EQ(fatalText(run(installer)), kNoArchiveText);
}

TEST_F(ArchiveTest, EngineBuildsThePredictedUninstallerImage)
{
    std::vector<uint8_t> probe = readBytes(Win64File("tests/fixtures/imageprobe.exe"));
    ASSERT_FALSE(probe.empty());
    ProductSpec spec = typicalProduct();
    spec.setFlag(kFlagUninstallSupport);
    spec.setFlag(kFlagCheckStub);
    spec.setFlag(kFlagNoBackground); // the probe writes the image and ends: no window is expected
    spec.patchOffset = 0x300;
    spec.patchBytes = {'P', 'A', 'T', 'C', 'H'};
    Installer installer = makeInstaller("image", probe, spec);
    // Bytes behind the archive section, as a signing tool would leave them.
    const std::vector<uint8_t> trailer = {'T', 'R', 'A', 'I', 'L', 'E', 'R'};
    installer.image.insert(installer.image.end(), trailer.begin(), trailer.end());
    writeBytes(installer.path, installer.image);

    const std::string output = folder() + "/image.bin";
    std::remove(output.c_str());
    WineRunResult r = RunInWine(installer.path, {WinePath(output)}, WineRunOptions());
    ASSERT_EQ(r.exitCode, 0) << r.Transcript();
    std::vector<uint8_t> image = readBytes(output);
    std::vector<uint8_t> predicted = predictUninstallerImage(installer.image, spec.patchOffset, spec.patchBytes);
    ASSERT_EQ(image.size(), predicted.size());
    EXPECT_TRUE(image == predicted);
    EXPECT_EQ(std::vector<uint8_t>(image.end() - 7, image.end()), trailer);
    EXPECT_EQ(std::string(image.begin() + 0x300, image.begin() + 0x305), "PATCH");
}
