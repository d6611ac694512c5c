#include "install/portable/InstallTexts.h"

#include <gtest/gtest.h>

TEST(InstallTexts, UninstallListKeepsOrderAndMarksKinds)
{
    InstallTexts texts;
    EXPECT_TRUE(texts.addUninstallEntry("C:\\App\\a.exe", UninstallEntryKind::File));
    EXPECT_TRUE(texts.addUninstallEntry("C:\\App\\Docs", UninstallEntryKind::Directory));
    EXPECT_TRUE(texts.addUninstallEntry("C:\\App\\x.tmp", UninstallEntryKind::Other));
    EXPECT_TRUE(texts.addUninstallEntry("C:\\App\\a.exe", UninstallEntryKind::File)); // files may repeat
    EXPECT_STREQ("C:\\App\\a.exe\r\n~C:\\App\\Docs\r\n!C:\\App\\x.tmp\r\nC:\\App\\a.exe\r\n",
                 texts.uninstallList.CStr());
}

TEST(InstallTexts, DirectoryEnteredOnceWhateverItsLetterCase)
{
    InstallTexts texts;
    EXPECT_TRUE(texts.addUninstallEntry("C:\\App\\Docs", UninstallEntryKind::Directory));
    EXPECT_FALSE(texts.addUninstallEntry("c:\\app\\DOCS", UninstallEntryKind::Directory));
    // Only a-z are folded: an accented letter in another case is another directory.
    EXPECT_TRUE(texts.addUninstallEntry("C:\\App\\\xe9", UninstallEntryKind::Directory));
    EXPECT_FALSE(texts.addUninstallEntry("C:\\App\\\xe9", UninstallEntryKind::Directory));
    EXPECT_TRUE(texts.addUninstallEntry("C:\\App\\\xc9", UninstallEntryKind::Directory));
    EXPECT_STREQ("~C:\\App\\Docs\r\n~C:\\App\\\xe9\r\n~C:\\App\\\xc9\r\n", texts.uninstallList.CStr());
}

TEST(InstallTexts, DriveRootsAreNeverEntered)
{
    InstallTexts texts;
    for (const char* root : {"C:\\", "C:", "\\", ""}) {
        EXPECT_FALSE(texts.addUninstallEntry(root, UninstallEntryKind::Directory)) << root;
        EXPECT_FALSE(texts.addUninstallEntry(root, UninstallEntryKind::File)) << root;
    }
    EXPECT_TRUE(texts.addUninstallEntry("C:\\a", UninstallEntryKind::File));
    EXPECT_STREQ("C:\\a\r\n", texts.uninstallList.CStr());
}
