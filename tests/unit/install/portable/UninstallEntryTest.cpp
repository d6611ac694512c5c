#include "install/portable/UninstallEntry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "name=action:value" per value, text values by their text and numbers by their number.
std::string describe(const Vector<UninstallValue>& values)
{
    static const char* const actions[] = {"sz", "sz?", "expand?", "dword", "dword?", "delete"};
    std::string out;
    for (int i = 0; i < values.Count(); ++i) {
        const UninstallValue& v = values[i];
        out += std::string(v.name.CStr()) + "=" + actions[v.action];
        if (v.action == UninstallValue::kNumber || v.action == UninstallValue::kNumberOrDrop)
            out += ":" + std::to_string(v.number);
        else if (v.action != UninstallValue::kDelete)
            out += ":" + std::string(v.text.CStr());
        out += "\n";
    }
    return out;
}

// The value of that name; null when there is none.
const UninstallValue* find(const Vector<UninstallValue>& values, const char* name)
{
    for (int i = 0; i < values.Count(); ++i)
        if (values[i].name.Compare(name) == 0)
            return &values[i];
    return nullptr;
}

void upper(String& text)
{
    text.ToUpper();
}

} // namespace

TEST(UninstallEntry, EveryValueInOrder)
{
    Array<UninstallData> records(3);
    records[0] = UninstallData{"HelpLink", 1, "%InstallDir%\\help"};
    records[1] = UninstallData{"EstimatedSize", 4, "120kb"};
    records[2] = UninstallData{"Readme", 2, ""};
    UninstallEntryFacts f;
    f.keyName = "Hello Key";
    f.uninstallerPath = "C:\\Hello\\Uninstall.exe";
    f.productName = "Hello";
    f.installerPath = "Z:\\tmp\\setup.exe";
    f.displayVersion = "1.0";
    f.publisher = "Quiv";
    f.sharedPath = "C:\\Common\\Quiv";
    f.productFlags = (uint64_t{1} << 63) | 4;
    f.uninstallSubdir = "uninst";
    f.displayTitle = "Hello Setup";
    f.titleColor = 0xFFFFFF;
    f.topColor = 0x804000;
    f.bottomColor = 0x200000;
    f.titleShadow = 2;
    f.bitmapSize = 30;
    f.records = &records;
    f.expand = upper;
    f.installLocation = "C:\\Hello";
    f.installDate = "3/5/07 2:07:09p";
    EXPECT_EQ(describe(uninstallEntryValues(f)),
              "UninstallString=sz:C:\\Hello\\Uninstall.exe /u:\"Hello Key\"\n"
              "QuietUninstallString=sz:C:\\Hello\\Uninstall.exe /a /u:\"Hello Key\"\n"
              "DisplayName=sz:Hello\n"
              "InstallSource=sz:Z:\\tmp\\setup.exe\n"
              "DisplayVersion=sz?:1.0\n"
              "Publisher=sz?:Quiv\n"
              "VersionMajor=dword:1\n"
              "VersionMinor=dword:0\n"
              "ProductRegistry=sz?:\n"
              "ProductStartMenu=sz?:\n"
              "SharedPath=sz?:C:\\Common\\Quiv\n"
              "ProductFonts=sz?:\n"
              "ProductFlags=sz:9223372036854775812\n"
              "UninstallBatch1=sz?:\n"
              "UninstallBatch2=sz?:\n"
              "SharedFiles=sz?:\n"
              "UninstallSubdir=sz?:uninst\n"
              "ShortcutMode=dword?:0\n"
              "DisplayTitle=sz:Hello Setup\n"
              "TitleColor=dword:16777215\n"
              "TopColor=dword:8404992\n"
              "BottomColor=dword:2097152\n"
              "MonoColor=dword:0\n"
              "TitleShadow=dword:2\n"
              "BitmapSize=dword:30\n"
              "HelpLink=sz?:%INSTALLDIR%\\HELP\n"
              "EstimatedSize=dword:120\n"
              "Readme=expand?:\n"
              "InstallLocation=sz:C:\\Hello\n"
              "InstallDate=sz:3/5/07 2:07:09p\n");
}

TEST(UninstallEntry, VersionNumbersOnlyWithADot)
{
    struct Case {
        const char* version;
        int major; // -1: both deleted
        int minor;
    } cases[] = {
        {"3.25b", 3, 25}, {"", -1, -1}, {"7", -1, -1}, {"v2.1", 0, 1}, {"1.2.3", 1, 2}, {"4.", 4, 0},
    };
    for (const Case& c : cases) {
        UninstallEntryFacts f;
        f.displayVersion = c.version;
        const Vector<UninstallValue> values = uninstallEntryValues(f);
        const UninstallValue* major = find(values, "VersionMajor");
        const UninstallValue* minor = find(values, "VersionMinor");
        ASSERT_TRUE(major && minor) << c.version;
        if (c.major < 0) {
            EXPECT_EQ(major->action, UninstallValue::kDelete) << c.version;
            EXPECT_EQ(minor->action, UninstallValue::kDelete) << c.version;
            continue;
        }
        EXPECT_EQ(major->action, UninstallValue::kNumber) << c.version;
        EXPECT_EQ(major->number, uint32_t(c.major)) << c.version;
        EXPECT_EQ(minor->number, uint32_t(c.minor)) << c.version;
    }
}

TEST(UninstallEntry, SingleColourDeletesBottomColourAndAllUsersSetsShortcutMode)
{
    UninstallEntryFacts f;
    f.monoColor = true;
    f.bottomColor = 5;
    f.allUsersShortcuts = true;
    const Vector<UninstallValue> values = uninstallEntryValues(f);
    EXPECT_EQ(find(values, "BottomColor")->action, UninstallValue::kDelete);
    EXPECT_EQ(find(values, "MonoColor")->number, 1u);
    EXPECT_EQ(find(values, "ShortcutMode")->number, 1u);
}
