// The settings' paths completed on the system: the shared path anchored and created, the
// default directory expanded and anchored.
#include "archive/SettingsPaths.h"

#include "archive/format/SettingsLayout.h"
#include "archive/portable/ProductSettings.h"
#include "install/SystemFolderSource.h"
#include "install/portable/FolderLookup.h"
#include "tests/win/support/ScratchFolder.h"
#include "tests/win/support/ScratchKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

bool isDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Common Files in a scratch folder, Program Files on P:, through a scratch version key.
class SettingsPathsTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string common = files / "Common Files";
        ASSERT_TRUE(key.WriteRaw("Version", "CommonFilesDir", REG_SZ, common + "\\" + '\0'));
        ASSERT_TRUE(key.WriteRaw("Version", "ProgramFilesDir", REG_SZ, std::string("P:\\Apps\0", 8)));
        folders.versionKey = {true, (key / "Version").c_str()};
    }

    ScratchFolder files;
    ScratchKey key;
    SystemFolderSource system;
    FolderLookup folders{system};
};

} // namespace

TEST_F(SettingsPathsTest, SharedPathAnchoredAndCreated)
{
    ProductSettings settings;
    settings.productFlags = uint64_t(1) << kFlagUninstallSupport;
    settings.sharedPath = " Maker\\Shared ";
    settings.defaultDirectory = "%SharedDir%\\App";
    completeSettingsPaths(settings, folders);

    const std::string shared = files / "Common Files\\Maker\\Shared";
    EXPECT_EQ(shared, str(settings.sharedPath));
    EXPECT_TRUE(isDirectory(shared));
    // The default directory sees the anchored shared path and, absolute now, stays.
    EXPECT_EQ(shared + "\\App", str(settings.defaultDirectory));

    // Without uninstall support the reader has emptied it: nothing is anchored or made.
    ProductSettings plain;
    plain.defaultDirectory = "App";
    completeSettingsPaths(plain, folders);
    EXPECT_EQ("", str(plain.sharedPath));
    EXPECT_EQ("P:\\Apps\\App", str(plain.defaultDirectory));
}

TEST_F(SettingsPathsTest, DefaultDirectoryExpandedThenAnchored)
{
    const char* const cases[][2] = {
        {"Maker\\App", "P:\\Apps\\Maker\\App"},
        {"%PROGRAMSDIR%\\App", "P:\\Apps\\App"},
        {"\\Top", "P:\\Top"},
        {"<MASTER>", "<MASTER>"},
        {"D:\\Own", "D:\\Own"},
    };
    for (const auto& c : cases) {
        ProductSettings settings;
        settings.defaultDirectory = c[0];
        completeSettingsPaths(settings, folders);
        EXPECT_EQ(c[1], str(settings.defaultDirectory)) << c[0];
    }
}
