// Path variables: the order and matching of the expansion, the values of the run's
// directories and the special folders' three steps.
#include "install/portable/FolderSource.h"
#include "install/portable/PathValues.h"
#include "install/portable/PathVariableSource.h"
#include "install/portable/FolderLookup.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kSetup[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";

// A system made of tables: registry texts by hive, key and name; shell folders by number.
class FakeSystem : public FolderSource {
public:
    std::map<std::tuple<bool, std::string, std::string>, std::string> registry;
    std::map<int, std::string> shell;
    std::string root;
    std::string systemDir;
    bool nt = true;
    std::string windows = "C:\\WINDOWS";
    int queries = 0;

    void user(const char* name, const char* value) { registry[{true, kShellFolders, name}] = value; }
    void common(const char* name, const char* value)
    {
        registry[{false, kShellFolders, name}] = value;
    }
    void version(const char* name, const char* value) { registry[{false, kVersion, name}] = value; }

    String registryText(bool currentUser, const String& keyPath, const char* name) override
    {
        ++queries;
        auto it = registry.find({currentUser, str(keyPath), name});
        return it == registry.end() ? String() : String(it->second.c_str());
    }
    String shellFolder(int csidl) override
    {
        ++queries;
        auto it = shell.find(csidl);
        return it == shell.end() ? String() : String(it->second.c_str());
    }
    String systemRoot() override { return String(root.c_str()); }
    String systemDirectory() override { return String(systemDir.c_str()); }
    bool ntFamily() override { return nt; }
    String windowsDir() override { return String(windows.c_str()); }
};

// Gives every variable a value chosen by the test and notes which were asked for.
class TableSource : public PathVariableSource {
public:
    std::map<int, std::string> values;
    std::vector<int> asked;
    String value(int variable) override
    {
        asked.push_back(variable);
        return String(values[variable].c_str());
    }
};

std::string expanded(const char* text, PathVariableSource& source)
{
    String s(text);
    expandPathVariables(s, source);
    return str(s);
}

} // namespace

TEST(PathVariables, ReplacedInTableOrderEachOnce)
{
    // Each variable's value names the next one: only the table's exact order lets the
    // chain from the first to the last collapse in one expansion.
    TableSource chain;
    for (int v = 0; v + 1 < kPathVariableCount; ++v)
        chain.values[v] = pathVariableName(v + 1);
    chain.values[kPathVariableCount - 1] = "end";
    EXPECT_EQ("end", expanded("%BootDrive%", chain));
    EXPECT_EQ(kPathVariableCount, static_cast<int>(chain.asked.size()));
    EXPECT_STREQ("%WinDir%", pathVariableName(kPathVariableCount - 1));
    EXPECT_EQ(nullptr, pathVariableName(kPathVariableCount));

    // A value naming an earlier variable, or the variable itself, stays as inserted.
    TableSource back;
    back.values[kVarSharedDir] = "%CommonDir%|%SharedDir%";
    EXPECT_EQ("%CommonDir%|%SharedDir%", expanded("%SharedDir%", back));
}

TEST(PathVariables, MatchingIgnoresCaseAndLeavesOtherNames)
{
    TableSource s;
    s.values[kVarInstallDir] = "D:\\App";
    s.values[kVarTemp] = "";
    const char* const cases[][2] = {
        {"%INSTALLDIR%\\bin", "D:\\App\\bin"},
        {"%installdir%;%InstallDir%", "D:\\App;D:\\App"},
        {"%TEMP%x", "x"},
        {"%Other%\\%InstallDir", "%Other%\\%InstallDir"},
        {"100%", "100%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c[1], expanded(c[0], s)) << c[0];

    // Only variables that occur are asked for; a text without '%' asks for none.
    s.asked.clear();
    EXPECT_EQ("C:\\plain", expanded("C:\\plain", s));
    EXPECT_EQ("D:\\App", expanded("%InstallDir%", s));
    EXPECT_EQ(std::vector<int>{kVarInstallDir}, s.asked);
}

TEST(PathVariables, RunDirectoriesAndDrives)
{
    FakeSystem system;
    system.registry[{false, kSetup, "BootDir"}] = "d:\\";
    FolderLookup folders(system);
    PathValues values(folders);
    values.installDir = "d:\\App";
    values.installerPath = "E:\\Setup\\setup.exe";
    values.installerDir = "E:\\Setup";
    values.installerName = "setup.exe";
    values.sharedDir = "C:\\Common\\Maker";
    values.tempDir = "C:\\TEMP";
    values.windowsDir = "C:\\WINDOWS";

    const char* const cases[][2] = {
        {"%InstallerDrive%:\\setup", "E:\\setup"},
        {"%InstallDrive%\\x", "D:\\x"},
        {"%BootDrive%\\", "D:\\"},
        {"%InstallerDir%|%InstallerFilename%|%InstallerFilepath%",
         "E:\\Setup|setup.exe|E:\\Setup\\setup.exe"},
        {"%SharedDir%|%Temp%|%WinDir%", "C:\\Common\\Maker|C:\\TEMP|C:\\WINDOWS"},
        {"%InstallDir%", "d:\\App"}, // unchanged, not folded to upper case
    };
    for (const auto& c : cases)
        EXPECT_EQ(c[1], expanded(c[0], values)) << c[0];

    // Network paths have no drive: both drive variables vanish.
    values.installDir = "\\\\server\\share\\App";
    values.installerPath = "\\\\server\\share\\setup.exe";
    EXPECT_EQ("[][]", expanded("[%InstallDrive%][%InstallerDrive%]", values));
}

TEST(PathVariables, BootDriveFromSetupValue)
{
    const char* const cases[][2] = {
        {"e:\\", "E"}, {"F:", "F"}, {"", "C"}, {"1:\\", "C"}, {"\\\\srv", "C"}, {"e", "C"},
    };
    for (const auto& c : cases) {
        FakeSystem system;
        if (*c[0])
            system.registry[{false, kSetup, "BootDir"}] = c[0];
        FolderLookup folders(system);
        EXPECT_EQ(c[1][0], folders.bootDrive()) << c[0];
    }
    FakeSystem none;
    FolderLookup folders(none);
    PathValues values(folders);
    EXPECT_EQ("C:", expanded("%BootDrive%", values));
}

TEST(FolderLookup, FallbacksWithoutRegistryOrShell)
{
    FakeSystem system;
    FolderLookup f(system);
    struct Case {
        String (FolderLookup::*lookUp)();
        const char* expected;
    };
    const Case cases[] = {
        {&FolderLookup::commonFilesDir, "c:\\Program Files\\Common Files"},
        {&FolderLookup::programFilesDir, "c:\\Program Files"},
        {&FolderLookup::deviceDir, "C:\\WINDOWS\\INF"},
        {&FolderLookup::mediaDir, "C:\\WINDOWS\\Media"},
        {&FolderLookup::desktopDir, "C:\\WINDOWS\\Desktop"},
        {&FolderLookup::desktopAllDir, "C:\\WINDOWS\\Desktop"},
        {&FolderLookup::documentDir, "c:\\My Documents"},
        {&FolderLookup::documentAllDir, "c:\\My Documents"},
        {&FolderLookup::favoritesDir, "C:\\WINDOWS\\Favorites"},
        {&FolderLookup::favoritesAllDir, "C:\\WINDOWS\\Favorites"},
        {&FolderLookup::fontDir, "C:\\WINDOWS\\Fonts"},
        {&FolderLookup::startMenuDir, "C:\\WINDOWS\\Start Menu"},
        {&FolderLookup::startMenuAllDir, "C:\\WINDOWS\\Start Menu"},
        {&FolderLookup::programsMenuDir, "C:\\WINDOWS\\Start Menu\\Programs"},
        {&FolderLookup::programsMenuAllDir, "C:\\WINDOWS\\Start Menu\\Programs"},
        {&FolderLookup::startupDir, "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"},
        {&FolderLookup::startupAllDir, "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, str((f.*c.lookUp)()));
}

TEST(FolderLookup, RegistryBeforeShellAndOneBackslashCut)
{
    FakeSystem system;
    system.user("Desktop", "C:\\WINDOWS\\Desktop\\");
    system.user("Personal", "C:\\");
    system.user("Fonts", "C:\\Fonts\\\\");
    system.user("Start Menu", "D:\\Menu");
    system.shell[16] = "X:\\shell desktop"; // loses to the registry
    system.shell[2] = "S:\\Programs";       // used: no "Programs" value
    system.shell[25] = "";
    system.common("Common Documents", "P:\\Docs\\");
    system.version("ProgramFilesDir", "E:\\Apps\\");
    system.version("MediaPath", "M:\\");
    FolderLookup f(system);

    EXPECT_EQ("C:\\WINDOWS\\Desktop", str(f.desktopDir()));
    EXPECT_EQ("C:\\", str(f.documentDir()));
    EXPECT_EQ("C:\\Fonts\\", str(f.fontDir()));
    EXPECT_EQ("S:\\Programs", str(f.programsMenuDir()));
    EXPECT_EQ("S:\\Programs\\StartUp", str(f.startupDir()));
    EXPECT_EQ("S:\\Programs", str(f.programsMenuAllDir()));
    EXPECT_EQ("D:\\Menu", str(f.startMenuAllDir()));
    // An all-users folder that is missing falls back to the whole user look-up.
    EXPECT_EQ("C:\\WINDOWS\\Desktop", str(f.desktopAllDir()));
    EXPECT_EQ("P:\\Docs", str(f.documentAllDir()));
    EXPECT_EQ("E:\\Apps", str(f.programFilesDir()));
    EXPECT_EQ("E:\\Apps\\Common Files", str(f.commonFilesDir()));
    EXPECT_EQ("M:\\", str(f.mediaDir()));

    // The user's key is not the machine's: a machine value does not serve a user folder.
    FakeSystem crossed;
    crossed.common("Desktop", "Q:\\machine");
    crossed.user("Common Desktop", "Q:\\user");
    FolderLookup g(crossed);
    EXPECT_EQ("C:\\WINDOWS\\Desktop", str(g.desktopDir()));
    EXPECT_EQ("C:\\WINDOWS\\Desktop", str(g.desktopAllDir()));
}

TEST(FolderLookup, LookUpsAreRepeatedAndKeysReplaceable)
{
    FakeSystem system;
    FolderLookup f(system);
    f.userFolders = {false, "Software\\Scratch"};
    system.registry[{false, "Software\\Scratch", "Startup"}] = "Z:\\Start";
    EXPECT_EQ("Z:\\Start", str(f.startupDir()));
    system.registry[{false, "Software\\Scratch", "Startup"}] = "Z:\\Moved";
    EXPECT_EQ("Z:\\Moved", str(f.startupDir()));
}

TEST(FolderLookup, DevicePathSystemRoot)
{
    struct Case {
        const char *value, *root, *expected;
    };
    const Case cases[] = {
        {"%SystemRoot%\\inf", "C:\\WINNT", "C:\\WINNT\\inf"},
        {"%systemroot%\\inf;%SystemRoot%\\x", "C:\\W", "C:\\W\\inf;%SystemRoot%\\x"},
        {"%SystemRoot%\\inf", "", "%SystemRoot%\\inf"},
        {"D:\\drivers;E:\\more", "C:\\W", "D:\\drivers;E:\\more"},
        {"", "C:\\W", "C:\\WINDOWS\\INF"},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.version("DevicePath", c.value);
        system.root = c.root;
        FolderLookup f(system);
        EXPECT_EQ(c.expected, str(f.deviceDir())) << c.value;
    }
}

TEST(FolderLookup, SystemDirectory)
{
    FakeSystem system;
    FolderLookup f(system);
    system.systemDir = "C:\\WINDOWS\\system32";
    EXPECT_EQ("C:\\WINDOWS\\system32", str(f.systemDirectory()));
    system.systemDir = "";
    EXPECT_EQ("C:\\WINDOWS\\System32", str(f.systemDirectory()));
    system.nt = false;
    EXPECT_EQ("C:\\WINDOWS\\System", str(f.systemDirectory()));
}
