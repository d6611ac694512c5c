#include "platform/portable/PathText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

} // namespace

TEST(PathText, JoinPath)
{
    struct Case {
        const char *dir, *name, *joined;
    };
    const Case cases[] = {
        {"C:\\", "App", "C:\\App"},
        {"C:\\Dir\\", "\\File", "C:\\Dir\\File"},
        {"C:", "File", "C:File"},
        {"C:\\Dir", "File", "C:\\Dir\\File"},
        {"C:\\Dir", "\\File", "C:\\Dir\\File"},
        {"", "File", "File"},
        {"C:\\Dir", "", "C:\\Dir"},
        {"C:\\Dir\\\\", "\\F", "C:\\Dir\\\\F"}, // only one trailing backslash is cut
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.joined, str(joinPath(c.dir, c.name))) << c.dir << " + " << c.name;
}

TEST(PathText, SeparatorParentNameAndCut)
{
    struct Case {
        const char* path;
        int separator;
        const char *parent, *name, *cut;
    };
    const Case cases[] = {
        {"C:\\Dir\\File", 6, "C:\\Dir", "File", "C:\\Dir\\"},
        {"C:\\File", 2, "C:\\", "File", "C:\\"},
        {"C:\\", 2, "C:\\", "", "C:\\"},
        {"C:File", 1, "C:", "File", "C:"},
        {"File", -1, "", "File", "File"},
        {"", -1, "", "", ""},
        {"\\\\server\\share\\setup.exe", 14, "\\\\server\\share", "setup.exe", "\\\\server\\share\\"},
        // Backslashes after a ';' are not separators of the first path...
        {"C:\\A;D:\\B", 2, "C:\\", "B", "C:\\"},
        // ...nor is a ':' after it.
        {"a.txt;C:\\x\\b.txt", -1, "", "b.txt", "a.txt;C:\\x\\b.txt"},
        {"C:a.txt;D:\\b", 1, "C:", "b", "C:"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.separator, lastSeparator(c.path)) << c.path;
        EXPECT_EQ(c.parent, str(parentDirectory(c.path))) << c.path;
        EXPECT_EQ(c.name, str(fileNamePart(c.path))) << c.path;
        String cut(c.path);
        EXPECT_EQ(c.separator >= 0, cutLastComponent(cut)) << c.path;
        EXPECT_EQ(c.cut, str(cut)) << c.path;
    }
}

TEST(PathText, Extensions)
{
    EXPECT_EQ(8, extensionIndex("C:\\a.b\\c.txt"));
    EXPECT_EQ(-1, extensionIndex("C:\\a.b\\c"));
    EXPECT_EQ(0, extensionIndex(".profile"));
    EXPECT_EQ(-1, extensionIndex(""));

    struct Case {
        const char *path, *ext;
        bool added;
        const char* result;
    };
    const Case cases[] = {
        {"readme", "txt", true, "readme.txt"},
        {"readme", ".txt", true, "readme.txt"},
        {"C:\\a.b\\readme", "txt", true, "C:\\a.b\\readme.txt"},
        {"readme.doc", "txt", false, "readme.doc"},
        {"readme", "", false, "readme"},
        {"  ", "txt", false, "  "},
        {"", "txt", false, ""},
    };
    for (const Case& c : cases) {
        String path(c.path);
        EXPECT_EQ(c.added, addExtensionIfMissing(path, c.ext)) << c.path << " " << c.ext;
        EXPECT_EQ(c.result, str(path)) << c.path << " " << c.ext;
    }
}

TEST(PathText, DrivesAndSplit)
{
    EXPECT_EQ('C', driveLetter("c:\\x"));
    EXPECT_EQ('Z', driveLetter("Z:"));
    EXPECT_EQ(0, driveLetter("\\\\server\\share"));
    EXPECT_EQ(0, driveLetter("1:\\x"));
    EXPECT_EQ(0, driveLetter("C"));

    EXPECT_EQ("c:\\", str(driveRoot("c:\\Dir")));
    EXPECT_EQ("C:", str(driveRoot("C:Dir")));
    EXPECT_EQ("", str(driveRoot("\\\\srv\\share")));
    EXPECT_EQ("", str(driveRoot("Dir\\x")));

    struct Case {
        const char *path, *dir, *name;
        bool ok;
    };
    const Case cases[] = {
        {"C:\\Dir\\File.txt", "C:\\Dir\\", "File.txt", true},
        {"C:File.txt", "C:", "File.txt", true},
        {"File.txt", "", "File.txt", true},
        {"C:\\Dir\\", "C:\\Dir\\", "", false},
        {"C:", "C:", "", false},
        {"", "", "", false},
    };
    for (const Case& c : cases) {
        String dir("old"), name("old");
        EXPECT_EQ(c.ok, splitPath(c.path, dir, name)) << c.path;
        EXPECT_EQ(c.dir, str(dir)) << c.path;
        EXPECT_EQ(c.name, str(name)) << c.path;
    }
}

TEST(PathText, SameDirectoryAndAbsolute)
{
    EXPECT_TRUE(sameDirectory("C:\\Windows", "c:\\WINDOWS\\"));
    EXPECT_TRUE(sameDirectory("C:\\Windows\\\\", "C:\\Windows"));
    EXPECT_FALSE(sameDirectory("C:\\Windows\\System32", "C:\\Windows"));
    EXPECT_FALSE(sameDirectory("C:\\Window", "C:\\Windows"));
    EXPECT_TRUE(sameDirectory("", "\\"));

    EXPECT_TRUE(isAbsolutePath("C:\\x"));
    EXPECT_TRUE(isAbsolutePath("  \t\\\\srv\\share"));
    EXPECT_FALSE(isAbsolutePath("C:x"));
    EXPECT_FALSE(isAbsolutePath("\\x"));
    EXPECT_FALSE(isAbsolutePath("x"));
    EXPECT_FALSE(isAbsolutePath(""));
}

TEST(PathText, ResolvePath)
{
    struct Case {
        const char *path, *base;
        bool changed;
        const char* result;
    };
    const Case cases[] = {
        {"x.txt", "C:\\App", true, "C:\\App\\x.txt"},
        {"  Sub\\x.txt ", "C:\\App\\", true, "C:\\App\\Sub\\x.txt"},
        {"\\Temp\\x.log", "C:\\App", true, "C:\\Temp\\x.log"},
        {"\\Temp\\x.log", "\\\\srv\\share\\App", true, "\\\\srv\\share\\Temp\\x.log"},
        {"\\Temp", "\\\\srv\\share", true, "\\\\srv\\share\\Temp"},
        {"D:b.txt", "C:\\App", true, "D:\\App\\b.txt"},
        {"C:b.txt", "C:\\", true, "C:\\b.txt"},
        {"x.txt", " \\\\srv\\share", true, "\\\\srv\\share\\x.txt"},
        // Already absolute: stays, only trimmed.
        {" D:\\Other\\a.txt", "C:\\App", false, "D:\\Other\\a.txt"},
        {"\\\\srv\\x", "C:\\App", false, "\\\\srv\\x"},
        // No absolute base, or nothing to resolve.
        {"x.txt", "App", false, "x.txt"},
        {"x.txt", "", false, "x.txt"},
        {"  ", "C:\\App", false, ""},
    };
    for (const Case& c : cases) {
        String path(c.path);
        EXPECT_EQ(c.changed, resolvePath(path, c.base)) << c.path << " on " << c.base;
        EXPECT_EQ(c.result, str(path)) << c.path << " on " << c.base;
    }
}

TEST(PathText, ValidPathNames)
{
    struct Case {
        const char* path;
        unsigned options;
        bool valid;
    };
    const Case cases[] = {
        {"C:\\Program Files\\App", 0, true},
        {"\"C:\\Program Files\\App\"", 0, true},
        {"Dir\\File.txt", 0, true},
        {"\\\\srv\\share", 0, true},
        {"1:\\x", 0, false},
        {"C:\\a:b", 0, false},
        {"C:\\a;b", 0, false},
        {"C:/x", 0, false},
        {"a<b", 0, false},
        {"a>b", 0, false},
        {"a|b", 0, false},
        {"", 0, false},
        {"\"\"", 0, false},
        {"*.txt", 0, false},
        {"*.txt", kPathAllowStar, true},
        {"?.txt", kPathAllowStar, false},
        {"?.txt", kPathAllowWildcards, true},
        {"a|b", kPathAllowWildcards, false},
        {"   ", 0, true},
        {"   ", kPathTrimFirst, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.valid, isValidPathName(c.path, c.options)) << c.path << " " << c.options;
}

TEST(PathText, SubdirectorySwitch)
{
    String pattern("C:\\Data\\*.txt /s");
    EXPECT_TRUE(cutSubdirectorySwitch(pattern));
    EXPECT_EQ("C:\\Data\\*.txt", str(pattern));
    EXPECT_FALSE(cutSubdirectorySwitch(pattern));

    for (const char* other : {"C:\\Data\\*.txt/s", "C:\\Data\\*.txt /S", "x /sx", "/s"}) {
        String unchanged(other);
        EXPECT_FALSE(cutSubdirectorySwitch(unchanged)) << other;
        EXPECT_EQ(other, str(unchanged));
    }
}
