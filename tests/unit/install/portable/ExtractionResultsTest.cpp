#include "install/portable/ExtractionResults.h"

#include "archive/format/FileRecord.h"

#include <gtest/gtest.h>

#include <string>

TEST(ExtractionResults, SharedFileMarkersAndLists)
{
    struct Case {
        uint32_t kind;
        uint32_t flags;
        const char* entry;  // nullptr: not a shared file
    };
    const std::string typeLibrary = std::string("T") + kSharedTypeLibraryMarker;
    const Case cases[] = {
        {kKindSharedDir, 0, "S"},
        {kKindSharedDir, kFileLeaveAtUninstall, "S "},
        {kKindSystemDir, 0, "S "},
        {kKindSystemComServer, 0, "C^"},
        {kKindSystemComServer, kFileLeaveAtUninstall, "C "},
        {kKindSystemTypeLibrary, 0, typeLibrary.c_str()},
        {kKindSystemTypeLibrary, kFileLeaveAtUninstall, "T "},
        {kKindInstallDir, 0, nullptr},
        {kKindFont, 0, nullptr},
        {kKindInstallDirStartup, kFileLeaveAtUninstall, nullptr},
    };
    for (const Case& c : cases) {
        ExtractionResults r;
        const char* path = c.kind == kKindSystemComServer ? "C" : c.kind == kKindSystemTypeLibrary ? "T" : "S";
        r.addSharedFile(c.kind, c.flags, path);
        if (!c.entry) {
            EXPECT_TRUE(r.sharedFiles.IsEmpty()) << c.kind;
            continue;
        }
        ASSERT_EQ(1, r.sharedFiles.Count()) << c.kind;
        EXPECT_STREQ(c.entry, r.sharedFiles[0].CStr()) << c.kind << " " << c.flags;
        // The COM-server and type-library lists hold the bare path, also for a file left at
        // uninstall.
        EXPECT_EQ(c.kind == kKindSystemComServer ? 1 : 0, r.comServers.Count());
        EXPECT_EQ(c.kind == kKindSystemTypeLibrary ? 1 : 0, r.typeLibraries.Count());
        if (r.comServers.Count() + r.typeLibraries.Count()) {
            EXPECT_STREQ(path, (r.comServers.Count() ? r.comServers : r.typeLibraries)[0].CStr());
        }
    }
}

TEST(ExtractionResults, WhichRecordsMakeShortcuts)
{
    EXPECT_TRUE(makesShortcut(kKindInstallDirStartup, 0));
    EXPECT_TRUE(makesShortcut(kKindInstallDir, kFileDesktopShortcut));
    EXPECT_TRUE(makesShortcut(kKindInstallDir, kFileStartMenuShortcut));
    EXPECT_FALSE(makesShortcut(kKindInstallDir, kFileInUninstallDir | kFileLeaveAtUninstall));
    // The shortcut flags of other kinds make none.
    EXPECT_FALSE(makesShortcut(kKindSharedDir, kFileDesktopShortcut));
    EXPECT_FALSE(makesShortcut(kKindSystemDir, kFileStartMenuShortcut));
}
