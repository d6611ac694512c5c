#include "install/portable/FileDestination.h"

#include <gtest/gtest.h>

namespace {

DestinationDirectories dirs()
{
    DestinationDirectories d;
    d.install = "C:\\App";
    d.shared = "C:\\Common\\Shared";
    d.fonts = "C:\\W\\Fonts";
    d.system = "C:\\W\\System32";
    d.uninstaller = "C:\\App\\Uninst";
    return d;
}

void expandInstallDir(String& text)
{
    text.Replace("%InstallDir%", "C:\\App");
}

} // namespace

TEST(FileDestination, Cases)
{
    struct Case {
        const char* name;
        uint32_t kind;
        uint32_t flags;
        const char* field;
        const char* storedName;
        const char* path;
        bool create;
    };
    const Case cases[] = {
        {"a.exe", 0, 0, "", "a.exe", "C:\\App\\a.exe", true},
        {"a.exe", 5, 0, "", "a.exe", "C:\\App\\a.exe", true},
        {"s.dll", 1, 0, "", "s.dll", "C:\\Common\\Shared\\s.dll", false},
        {"f.ttf", 4, 0, "", "f.ttf", "C:\\W\\Fonts\\f.ttf", false},
        {"c.dll", 7, 0, "", "c.dll", "C:\\W\\System32\\c.dll", false},
        {"u.ico", 0, 0x40, "", "u.ico", "C:\\App\\Uninst\\u.ico", false},
        {"r.txt", 0, 0, "readme.txt", "readme.txt", "C:\\App\\readme.txt", true},
        {"r.txt", 6, 0, "readme.txt", "readme.txt", "C:\\W\\System32\\readme.txt", false},
        {"r.txt", 0, 0, "%InstallDir%\\docs\\", "r.txt", "C:\\App\\docs\\r.txt", true},
        {"r.txt", 0, 0x40, "docs\\x.txt", "r.txt", "C:\\App\\docs\\x.txt", true},
        {"s.dll", 1, 0, "sub\\", "s.dll", "C:\\Common\\Shared\\sub\\s.dll", true},
        {"s.dll", 0, 0, "\\Other\\", "s.dll", "C:\\Other\\s.dll", true},
        {"s.dll", 0, 0, "D:\\Full\\t.dll", "s.dll", "D:\\Full\\t.dll", true},
    };
    for (const Case& c : cases) {
        FileDestination d = fileDestination(c.name, c.kind, c.flags, c.field, dirs(),
                                            expandInstallDir);
        EXPECT_STREQ(c.storedName, d.storedName.CStr()) << c.field;
        EXPECT_STREQ(c.path, d.path.CStr()) << c.field;
        EXPECT_EQ(c.create, d.createDirectory) << c.field;
    }
}
