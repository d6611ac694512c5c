// The settings block, written by the builder and read back by the engine's reader.
#include "archive/portable/SettingsReader.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/SettingsWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

// A small sound product: one language with two messages.
ProductSpec minimalSpec()
{
    ProductSpec spec;
    spec.productName = "App";
    spec.volumeBaseName = "DATA";
    spec.languages = {{"English", {"App Setup", "Install?"}}};
    return spec;
}

struct Result {
    int code = -1;
    String productName;
    ProductSettings settings;
    Language languages;
};

void readBytes(const std::vector<uint8_t>& block, Result& r, const char* runName = "",
               int64_t fileSize = 1 << 20)
{
    SettingsReader reader;
    reader.windowsDir = "C:\\WINDOWS";
    reader.programFileSize = fileSize;
    r.productName = runName;
    r.code = reader.read(reinterpret_cast<const char*>(block.data()), static_cast<int>(block.size()),
                         r.productName, r.settings, r.languages);
}

void readSpec(const ProductSpec& spec, Result& r, const char* runName = "")
{
    readBytes(writeSettings(spec), r, runName);
}

} // namespace

TEST(SettingsReader, EveryFieldRoundTrips)
{
    ProductSpec spec = minimalSpec();
    spec.productFlags = productFlagMask(kFlagUninstallSupport) | productFlagMask(kFlagMasterUpdate) |
                        productFlagMask(63) | productFlagMask(kFlagMaximizedBackground);
    spec.stepDelay = 9999;
    spec.shortcutMode = 7;
    spec.uninstallerTime = {2024, 5, 17, 13, 45, 59};
    spec.publisher = "Maker";
    spec.sharedPath = "Shared";
    spec.productStartMenu = "Menu";
    spec.defaultDirectory = "C:\\Apps\\App";
    spec.displayVersion = "1.2.3";
    spec.productRegistry = "Maker\\App";
    spec.bitmapSize = 100;
    spec.licenceTexts = std::vector<std::string>(20, "licence");
    spec.licenceTexts[19] = "last licence";
    spec.readmeTexts = {"readme 1", "readme 2"};
    spec.uninstallSubdir = "Uninstall";
    spec.volumeBaseName = "VOL";
    spec.uninstallerFileName = "Uninst.exe";
    spec.uninstallKeyName = "AppKey";
    spec.titleColor = 0x00112233;
    spec.titleShadow = 2;
    spec.topColor = 0x00FF0000;
    spec.bottomColor = 0x000000FF;
    spec.backgroundBitmap = {'B', 'M', 0, 1, 2, 0xFF};
    spec.masterKeyName = "Master";
    spec.desktopFolder = "Desk";
    spec.batchText1 = "echo 1";
    spec.batchText2 = "echo 2";
    spec.batchText3 = "echo 3";
    spec.uninstallBatch1 = "echo u1";
    spec.uninstallBatch2 = "echo u2";
    for (int i = 0; i < kSettingsReservedSize; ++i)
        spec.reserved[i] = static_cast<uint8_t>(i + 1);
    spec.excludedSystems = kExcludeWin32s | kExcludeServer2003;
    spec.multiVolume = 1;
    spec.firstVolumeNumber = 2;
    spec.patchOffset = 1000;
    spec.patchBytes = {1, 0, 2};
    spec.deletions = {{"%InstallDir%\\*.tmp", -1, "", 2}, {"old.dll", 4, "1234", 0}};
    spec.associations = {{1, ".app", "App.File", "App file", "open", "&Open", "\"%1\"", "English", "app.ico"}};
    spec.uninstallValues = {{"HelpLink", 1, "http://x"}, {"NoModify", 4, "1"}};
    spec.languages = {{"Deutsch", {"Titel", "Frage"}}, {"English", {"Title"}}};

    Result r;
    readSpec(spec, r);
    ASSERT_EQ(0, r.code);
    const ProductSettings& s = r.settings;
    EXPECT_EQ(spec.productFlags, s.productFlags);
    EXPECT_EQ(9999, s.stepDelay);
    EXPECT_EQ(7, s.shortcutMode);
    EXPECT_EQ(2024, s.uninstallerTime.year);
    EXPECT_EQ(5, s.uninstallerTime.month);
    EXPECT_EQ(17, s.uninstallerTime.day);
    EXPECT_EQ(13, s.uninstallerTime.hour);
    EXPECT_EQ(45, s.uninstallerTime.minute);
    EXPECT_EQ(59, s.uninstallerTime.second);
    EXPECT_EQ("Maker", str(s.publisher));
    EXPECT_EQ("App", str(s.productName));
    EXPECT_EQ("App", str(r.productName));
    EXPECT_EQ("Shared", str(s.sharedPath));
    EXPECT_EQ("Maker\\App", str(s.productStartMenu));
    EXPECT_EQ("C:\\Apps\\App", str(s.defaultDirectory));
    EXPECT_EQ("1.2.3", str(s.displayVersion));
    EXPECT_EQ("Maker\\App", str(s.productRegistry));
    EXPECT_EQ(100u, s.bitmapSize);
    ASSERT_EQ(20, s.licenceCount);
    EXPECT_EQ("licence", str(s.licenceTexts[0]));
    EXPECT_EQ("last licence", str(s.licenceTexts[19]));
    ASSERT_EQ(2, s.readmeCount);
    EXPECT_EQ("readme 2", str(s.readmeTexts[1]));
    EXPECT_EQ("Uninstall", str(s.uninstallSubdir));
    EXPECT_EQ("VOL", str(s.volumeBaseName));
    EXPECT_EQ("Uninst.exe", str(s.uninstallerFileName));
    EXPECT_EQ("AppKey", str(s.uninstallKeyName));
    EXPECT_EQ(0x00112233u, s.titleColor);
    EXPECT_EQ(2, s.titleShadow);
    EXPECT_EQ(0x00FF0000u, s.topColor);
    EXPECT_EQ(0x000000FFu, s.bottomColor);
    EXPECT_FALSE(s.monoColor);
    EXPECT_EQ(std::string("BM\0\1\2\xFF", 6), str(s.backgroundBitmap));
    EXPECT_EQ("Master", str(s.masterKeyName));
    EXPECT_EQ("Desk", str(s.desktopFolder));
    EXPECT_EQ("echo 1", str(s.batchText1));
    EXPECT_EQ("echo 2", str(s.batchText2));
    EXPECT_EQ("echo 3", str(s.batchText3));
    EXPECT_EQ("echo u1", str(s.uninstallBatch1));
    EXPECT_EQ("echo u2", str(s.uninstallBatch2));
    EXPECT_EQ(1, s.reserved[0]);
    EXPECT_EQ(20, s.reserved[19]);
    EXPECT_EQ(static_cast<uint32_t>(kExcludeWin32s | kExcludeServer2003), s.excludedSystems);
    EXPECT_EQ(1, s.multiVolume);
    EXPECT_EQ(2u, s.firstVolumeNumber);
    EXPECT_EQ(1000u, s.patchOffset);
    EXPECT_EQ(std::string("\1\0\2", 3), str(s.patchBytes));

    ASSERT_EQ(2, s.deletions.Count());
    EXPECT_EQ("%InstallDir%\\*.tmp", str(s.deletions[0].path));
    EXPECT_EQ(-1, s.deletions[0].condition);
    EXPECT_EQ(2u, s.deletions[0].flags);
    EXPECT_EQ("old.dll", str(s.deletions[1].path));
    EXPECT_EQ(4, s.deletions[1].condition);
    EXPECT_EQ("1234", str(s.deletions[1].value));

    ASSERT_EQ(1, s.associations.Count());
    const FileAssociation& a = s.associations[0];
    EXPECT_EQ(1u, a.flags);
    EXPECT_EQ(".app", str(a.extension));
    EXPECT_EQ("App.File", str(a.fileType));
    EXPECT_EQ("App file", str(a.description));
    EXPECT_EQ("open", str(a.verb));
    EXPECT_EQ("&Open", str(a.verbText));
    EXPECT_EQ("\"%1\"", str(a.command));
    EXPECT_EQ("English", str(a.language));
    EXPECT_EQ("app.ico", str(a.icon));

    ASSERT_EQ(2, s.uninstallValues.Count());
    EXPECT_EQ("HelpLink", str(s.uninstallValues[0].name));
    EXPECT_EQ(1, s.uninstallValues[0].type);
    EXPECT_EQ("http://x", str(s.uninstallValues[0].value));
    EXPECT_EQ(4, s.uninstallValues[1].type);

    ASSERT_EQ(2, r.languages.languageCount());
    ASSERT_EQ(2, r.languages.messageCount());
    EXPECT_EQ("Deutsch", str(r.languages.name(0)));
    EXPECT_EQ(1, r.languages.index());
    EXPECT_EQ("Frage", str(r.languages.text(1, 0)));
    EXPECT_EQ("", str(r.languages.text(1, 1)));  // padded by the writer
    EXPECT_EQ("Title", str(r.languages.message(0)));
}

TEST(SettingsReader, ConditionalFieldsFollowTheirFlags)
{
    // Without the flags neither the master key nor the patch is in the block: the texts
    // written for them must not be read, or every later field would shift.
    ProductSpec spec = minimalSpec();
    spec.masterKeyName = "Master";
    spec.patchOffset = 5;
    spec.patchBytes = {9, 9};
    spec.desktopFolder = "Desk";
    spec.deletions = {{"a.txt", 0, "", 0}};
    Result plain;
    readSpec(spec, plain);
    ASSERT_EQ(0, plain.code);
    EXPECT_EQ("", str(plain.settings.masterKeyName));
    EXPECT_EQ(0u, plain.settings.patchOffset);
    EXPECT_EQ("Desk", str(plain.settings.desktopFolder));
    EXPECT_EQ(1, plain.settings.deletions.Count());

    // With uninstall support and a patch offset of 0 there is no length and no bytes.
    spec.setFlag(kFlagUninstallSupport);
    spec.patchOffset = 0;
    Result noPatch;
    readSpec(spec, noPatch);
    ASSERT_EQ(0, noPatch.code);
    EXPECT_EQ(0, noPatch.settings.patchBytes.Length());
    EXPECT_EQ("a.txt", str(noPatch.settings.deletions[0].path));

    // A master update with a blank key name updates a product of the own name.
    spec.setFlag(kFlagMasterUpdate);
    spec.masterKeyName = " \t";
    Result master;
    readSpec(spec, master, "Run Name");
    ASSERT_EQ(0, master.code);
    EXPECT_EQ("Run Name", str(master.settings.masterKeyName));
    EXPECT_EQ("Desk", str(master.settings.desktopFolder));
}

TEST(SettingsReader, DerivedValues)
{
    struct Case {
        const char* what;
        std::function<void(ProductSpec&)> set;
        const char* runName;
        std::function<std::string(const ProductSettings&)> get;
        const char* expected;
    };
    auto shared = [](const ProductSettings& s) { return str(s.sharedPath); };
    auto menu = [](const ProductSettings& s) { return str(s.productStartMenu); };
    auto dir = [](const ProductSettings& s) { return str(s.defaultDirectory); };
    auto key = [](const ProductSettings& s) { return str(s.uninstallKeyName); };
    auto withSupport = [](ProductSpec& p) { p.setFlag(kFlagUninstallSupport); };
    const Case cases[] = {
        {"shared path from a blank publisher", [&](ProductSpec& p) { withSupport(p); p.publisher = "  "; }, "", shared, "App"},
        {"shared path from the publisher", [&](ProductSpec& p) { withSupport(p); p.publisher = "Maker"; }, "", shared, "Maker"},
        {"shared path from the /n: name", withSupport, "Other", shared, "Other"},
        {"shared path kept", [&](ProductSpec& p) { withSupport(p); p.sharedPath = "S"; }, "", shared, "S"},
        {"shared path emptied without uninstall support", [](ProductSpec& p) { p.sharedPath = "S"; }, "", shared, ""},
        {"start menu with publisher", [](ProductSpec& p) { p.publisher = "Maker"; p.productStartMenu = "X"; }, "", menu, "Maker\\App"},
        {"start menu without publisher", [](ProductSpec& p) { p.productStartMenu = "Programs\\"; }, "", menu, "Programs\\App"},
        {"start menu empty stays empty", [](ProductSpec& p) { p.publisher = "Maker"; }, "", menu, ""},
        {"default directory from the product", [](ProductSpec&) {}, "", dir, "App"},
        {"default directory with <OS>", [](ProductSpec& p) { p.defaultDirectory = "<OS>\\Folder"; }, "", dir, "C:\\WINDOWS\\Folder"},
        {"default directory with two <os>", [](ProductSpec& p) { p.defaultDirectory = "<os>;<Os>"; }, "", dir, "C:\\WINDOWS;C:\\WINDOWS"},
        {"master directory kept", [](ProductSpec& p) { p.defaultDirectory = "<Master>"; }, "", dir, "<Master>"},
        {"uninstall key from a blank name", [](ProductSpec& p) { p.uninstallKeyName = "\r\n"; }, "", key, "App"},
        {"uninstall key kept", [](ProductSpec& p) { p.uninstallKeyName = "K"; }, "", key, "K"},
    };
    for (const Case& c : cases) {
        ProductSpec spec = minimalSpec();
        c.set(spec);
        Result r;
        readSpec(spec, r, c.runName);
        ASSERT_EQ(0, r.code) << c.what;
        EXPECT_EQ(c.expected, c.get(r.settings)) << c.what;
    }
}

TEST(SettingsReader, RunNameWinsOverTheBlocksName)
{
    ProductSpec spec = minimalSpec();
    Result r;
    readSpec(spec, r, "Given");
    ASSERT_EQ(0, r.code);
    EXPECT_EQ("Given", str(r.productName));
    EXPECT_EQ("App", str(r.settings.productName));
    EXPECT_EQ("Given", str(r.settings.defaultDirectory));
}

TEST(SettingsReader, MonoColorWhenTopEqualsBottom)
{
    ProductSpec spec = minimalSpec();
    spec.topColor = spec.bottomColor = 0x00808080;
    Result r;
    readSpec(spec, r);
    ASSERT_EQ(0, r.code);
    EXPECT_TRUE(r.settings.monoColor);
}

TEST(SettingsReader, DeletionTableHoldsAtMost1001Records)
{
    ProductSpec spec = minimalSpec();
    spec.deletions.assign(1001, {"f.txt", 0, "", 0});
    spec.deletions.back().path = "last.txt";
    Result full;
    readSpec(spec, full);
    ASSERT_EQ(0, full.code);
    ASSERT_EQ(1001, full.settings.deletions.Count());
    EXPECT_EQ("last.txt", str(full.settings.deletions[1000].path));

    spec.deletions.push_back({"one.txt", 0, "", 0});
    Result over;
    readSpec(spec, over);
    EXPECT_EQ(kCorruptDeletionCount, over.code);
}

TEST(SettingsReader, OnlyTheExactEndNameEndsTheDeletions)
{
    ProductSpec spec = minimalSpec();
    spec.deletions = {{"~~the end~~", 1, "2024-01-01", 0}};
    Result r;
    readSpec(spec, r);
    ASSERT_EQ(0, r.code);
    ASSERT_EQ(1, r.settings.deletions.Count());
    EXPECT_EQ("~~the end~~", str(r.settings.deletions[0].path));
}

TEST(SettingsReader, InitialLanguageIsTheLastExactEnglish)
{
    struct Case {
        std::vector<std::string> names;
        int expected;
    } cases[] = {
        {{"Deutsch", "English", "Fran\xE7" "ais"}, 1},
        {{"Deutsch", "english"}, 0},
        {{"English", "Deutsch", "English"}, 2},
        {{"Deutsch"}, 0},
    };
    for (const Case& c : cases) {
        ProductSpec spec = minimalSpec();
        spec.languages.clear();
        for (const std::string& n : c.names)
            spec.languages.push_back({n, {n + " title"}});
        Result r;
        readSpec(spec, r);
        ASSERT_EQ(0, r.code);
        EXPECT_EQ(c.expected, r.languages.index()) << c.names[0] << "/" << c.names.size();
        EXPECT_EQ(c.names[c.expected] + " title", str(r.languages.message(0)));
    }
}

TEST(SettingsReader, MessageLineEndsAreMadeUniform)
{
    struct Case {
        const char* stored;
        const char* read;
    } cases[] = {
        {"one\ntwo", "one\r\ntwo"},
        {"one\rtwo", "one\r\ntwo"},
        {"one\n\rtwo", "one\r\ntwo"},
        {"one\r\ntwo", "one\r\ntwo"},
        {"a\n\nb\r\rc\n", "a\r\n\r\nb\r\n\r\nc\r\n"},
        {"\n\r\n", "\r\n\r\n"},
        {"no breaks", "no breaks"},
    };
    ProductSpec spec = minimalSpec();
    spec.languages = {{"English", {}}};
    for (const Case& c : cases)
        spec.languages[0].messages.push_back(c.stored);
    spec.licenceTexts = {"keep\nas is"};
    Result r;
    readSpec(spec, r);
    ASSERT_EQ(0, r.code);
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i)
        EXPECT_EQ(cases[i].read, str(r.languages.text(i, 0))) << i;
    EXPECT_EQ("keep\nas is", str(r.settings.licenceTexts[0]));  // only messages are changed
}

TEST(SettingsReader, RangeChecksGiveTheirCodes)
{
    struct Case {
        const char* what;
        std::function<void(ProductSpec&)> set;
        int code;
    };
    const Case cases[] = {
        {"step delay 10000", [](ProductSpec& p) { p.stepDelay = 10000; }, kCorruptStepDelay},
        {"bitmap size 101", [](ProductSpec& p) { p.bitmapSize = 101; }, kCorruptBitmapShare},
        {"21 licence texts", [](ProductSpec& p) { p.licenceTexts.assign(21, "l"); }, kCorruptLicenceCount},
        {"21 read-me texts", [](ProductSpec& p) { p.readmeTexts.assign(21, "r"); }, kCorruptReadmeCount},
        {"empty volume name", [](ProductSpec& p) { p.volumeBaseName = ""; }, kCorruptVolumeName},
        {"blank volume name", [](ProductSpec& p) { p.volumeBaseName = " \r\n\t"; }, kCorruptVolumeName},
        {"patch offset past the file", [](ProductSpec& p) { p.setFlag(kFlagUninstallSupport); p.patchOffset = 4097; }, kCorruptPatchOffset},
        {"10001 associations", [](ProductSpec& p) { p.associations.resize(10001); }, kCorruptAssociationCount},
        {"10001 uninstall values", [](ProductSpec& p) { p.uninstallValues.resize(10001); }, kCorruptUninstallValueCount},
        {"no language", [](ProductSpec& p) { p.languages.clear(); }, kCorruptLanguageCount},
        {"101 languages", [](ProductSpec& p) { p.languages.assign(101, {"L", {"m"}}); }, kCorruptLanguageCount},
        {"no message", [](ProductSpec& p) { p.languages = {{"English", {}}}; }, kCorruptMessageCount},
        {"10001 messages", [](ProductSpec& p) { p.languages[0].messages.resize(10001); }, kCorruptMessageCount},
    };
    for (const Case& c : cases) {
        ProductSpec spec = minimalSpec();
        c.set(spec);
        Result r;
        readBytes(writeSettings(spec), r, "", 4096);
        EXPECT_EQ(c.code, r.code) << c.what;
    }
}

TEST(SettingsReader, LimitsThemselvesAreAccepted)
{
    ProductSpec spec = minimalSpec();
    spec.setFlag(kFlagUninstallSupport);
    spec.patchOffset = 4096;  // equal to the file size
    spec.patchBytes = {1};
    spec.bitmapSize = 100;
    spec.readmeTexts.assign(20, "r");
    spec.associations.resize(10000);
    spec.uninstallValues.resize(10000);
    spec.languages.assign(100, {"L", {"m"}});
    Result r;
    readBytes(writeSettings(spec), r, "", 4096);
    ASSERT_EQ(0, r.code);
    EXPECT_EQ(10000, r.settings.associations.Count());
    EXPECT_EQ(10000, r.settings.uninstallValues.Count());
    EXPECT_EQ(100, r.languages.languageCount());

    ProductSpec messages = minimalSpec();
    messages.languages[0].messages.resize(10000);
    messages.languages[0].messages[9999] = "last";
    Result m;
    readSpec(messages, m);
    ASSERT_EQ(0, m.code);
    EXPECT_EQ(10000, m.languages.messageCount());
    EXPECT_EQ("last", str(m.languages.message(9999)));
}

TEST(SettingsReader, WrongEndMarkerIsCode32)
{
    std::vector<uint8_t> block = writeSettings(minimalSpec());
    Result good;
    readBytes(block, good);
    ASSERT_EQ(0, good.code);

    for (uint32_t marker : {0u, kSettingsEndMarker ^ 1u}) {
        storeU32(block.data() + block.size() - 4, marker);
        Result r;
        readBytes(block, r);
        EXPECT_EQ(kCorruptEndMarker, r.code) << marker;
    }
    block.push_back(0);  // bytes behind the marker are ignored
    storeU32(block.data() + block.size() - 5, kSettingsEndMarker);
    Result extra;
    readBytes(block, extra);
    EXPECT_EQ(0, extra.code);
}

TEST(SettingsReader, TruncatedBlocksFailWithoutReadingPastTheEnd)
{
    ProductSpec spec = minimalSpec();
    spec.setFlag(kFlagUninstallSupport);
    spec.deletions = {{"x", 0, "", 0}};
    spec.backgroundBitmap.assign(50, 7);
    const std::vector<uint8_t> block = writeSettings(spec);
    for (size_t n = 0; n < block.size(); ++n) {
        std::vector<uint8_t> cut(block.begin(), block.begin() + static_cast<long>(n));
        Result r;
        readBytes(cut, r);
        EXPECT_NE(0, r.code) << "cut at " << n;
    }
    Result none;
    SettingsReader reader;
    none.code = reader.read(nullptr, 10, none.productName, none.settings, none.languages);
    EXPECT_EQ(kCorruptVolumeName, none.code);  // the first rule that zeros break
}

TEST(SettingsReader, HugeLengthsAreBoundedByTheBlock)
{
    // A bitmap length far beyond the block takes what is left instead of allocating it.
    std::vector<uint8_t> block = writeSettings(minimalSpec());
    ProductSpec spec = minimalSpec();
    ProductSpec probe = spec;
    probe.backgroundBitmap = {0xAB, 0xCD, 0xEF, 0x12};
    const std::vector<uint8_t> marked = writeSettings(probe);
    // The bitmap length sits where the two blocks first differ.
    size_t at = 0;
    while (block[at] == marked[at])
        ++at;
    storeU32(block.data() + at, 0xFFFFFFF0u);
    Result r;
    readBytes(block, r);
    EXPECT_NE(0, r.code);
    EXPECT_LE(r.settings.backgroundBitmap.Length(), static_cast<int>(block.size()));
}

TEST(SettingsReader, ProductFlagsAtTheStart)
{
    ProductSpec spec = minimalSpec();
    spec.productFlags = 0x8000010020000104ull;
    const std::vector<uint8_t> block = writeSettings(spec);
    EXPECT_EQ(spec.productFlags, readProductFlags(reinterpret_cast<const char*>(block.data()), 8));
    EXPECT_EQ(0x0104ull, readProductFlags(reinterpret_cast<const char*>(block.data()), 2));
    EXPECT_EQ(0ull, readProductFlags(nullptr, 8));
}

TEST(AnchorPath, Forms)
{
    struct Case {
        const char* path;
        const char* base;
        const char* expected;
    } cases[] = {
        {"App", "C:\\Program Files", "C:\\Program Files\\App"},
        {"  Maker\\App \t", "C:\\Program Files", "C:\\Program Files\\Maker\\App"},
        {"D:\\Apps", "C:\\Program Files", "D:\\Apps"},
        {"\\\\server\\share\\App", "C:\\Program Files", "\\\\server\\share\\App"},
        {"\\Apps\\App", "E:\\Program Files", "E:\\Apps\\App"},
        {"D:App", "C:\\Program Files\\Common", "D:\\Program Files\\Common\\App"},
        {"App", "C:\\", "C:\\App"},
        {"D:App", "C:\\", "D:\\App"},
        {"App", "\\\\srv\\share\\Programs", "\\\\srv\\share\\Programs\\App"},
        {"\\App", "\\\\srv\\share\\Programs", "\\\\srv\\share\\App"},
        {"App", "Program Files", "App"},  // base not absolute
        {"App", "", "App"},
        {"  ", "C:\\Program Files", ""},
    };
    for (const Case& c : cases) {
        String path(c.path);
        anchorPath(path, String(c.base));
        EXPECT_EQ(c.expected, str(path)) << c.path << " on " << c.base;
    }
}
