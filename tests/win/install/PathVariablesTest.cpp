// Path variables and the shell's folders on this system's registry and shell, and on scratch
// copies of its Shell Folders keys where a value is changed or removed.
#include "install/PathVariables.h"

#include "app/InstallerState.h"
#include "archive/portable/ProductSettings.h"
#include "install/RunningSystem.h"
#include "install/ShellFunctions.h"
#include "install/SystemFolderSource.h"
#include "install/portable/PathVariableSource.h"
#include "install/portable/FolderLookup.h"
#include "tests/win/support/ScratchKey.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kSetup[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";

std::string shellFolder(int csidl)
{
    char buffer[MAX_PATH] = {};
    return SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE) ? buffer : "";
}

std::string windowsDirectory()
{
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return buffer;
}

std::string environment(const char* text)
{
    char buffer[1024] = {};
    ExpandEnvironmentStringsA(text, buffer, sizeof buffer);
    return buffer;
}

// A text value as stored (no trailing backslash rule); "" when missing.
std::string registryText(HKEY root, const char* key, const char* name)
{
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                     buffer, &size) != ERROR_SUCCESS)
        return "";
    return buffer;
}

// Copies the text values of root\from into the scratch key's sub (created).
void copyValues(HKEY root, const char* from, const ScratchKey& scratch, const std::string& sub)
{
    ASSERT_TRUE(scratch.CreateKey(sub));
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, from, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return; // a key this system lacks is copied as an empty one
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        BYTE data[2048];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        if (type == REG_SZ || type == REG_EXPAND_SZ)
            scratch.WriteRaw(sub, name, type, std::string(reinterpret_cast<char*>(data), dataSize));
    }
    RegCloseKey(key);
}

// A folder source without the shell function, for the last step of each look-up.
class NoShellSource : public SystemFolderSource {
public:
    String shellFolder(int) override { return String(); }
};

// Special folders read from scratch copies of the system's four keys.
class ScratchFoldersTest : public testing::Test {
protected:
    void SetUp() override
    {
        copyValues(HKEY_CURRENT_USER, kShellFolders, scratch, "User");
        copyValues(HKEY_LOCAL_MACHINE, kShellFolders, scratch, "Common");
        copyValues(HKEY_LOCAL_MACHINE, kVersion, scratch, "Version");
        copyValues(HKEY_LOCAL_MACHINE, kSetup, scratch, "Setup");
        point(folders);
        point(noShell);
    }
    void point(FolderLookup& f)
    {
        f.userFolders = {true, (scratch / "User").c_str()};
        f.commonFolders = {true, (scratch / "Common").c_str()};
        f.versionKey = {true, (scratch / "Version").c_str()};
        f.setupKey = {true, (scratch / "Setup").c_str()};
    }
    void set(const char* sub, const char* name, const char* value)
    {
        ASSERT_TRUE(scratch.WriteRaw(sub, name, REG_SZ, std::string(value) + '\0'));
    }
    void remove(const char* sub, const char* name)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyValueA(HKEY_CURRENT_USER, (scratch / sub).c_str(), name));
    }

    ScratchKey scratch;
    SystemFolderSource system;
    FolderLookup folders{system};
    NoShellSource noShellSource;
    FolderLookup noShell{noShellSource};
};

} // namespace

TEST(PathVariables, EveryVariableFromThisSystem)
{
    ASSERT_TRUE(shellFunctionsPresent());
    installerState().installDir = "D:\\App";
    productSettings().sharedPath = "C:\\Program Files\\Common Files\\Maker";

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string selfPath = self;
    const size_t cut = selfPath.rfind('\\');
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string tempDir = temp;
    if (tempDir.size() > 3 && tempDir.back() == '\\')
        tempDir.pop_back();
    const std::string windows = windowsDirectory();
    const std::string bootDir = registryText(HKEY_LOCAL_MACHINE, kSetup, "BootDir");
    const std::string device = registryText(HKEY_LOCAL_MACHINE, kVersion, "DevicePath");
    const std::string media = registryText(HKEY_LOCAL_MACHINE, kVersion, "MediaPath");

    // This prefix's registry and its shell agree, so the shell names every folder.
    const std::vector<std::string> expected = {
        std::string(1, static_cast<char>(toupper(bootDir.empty() ? 'C' : bootDir[0]))) + ":",
        shellFolder(CSIDL_PROGRAM_FILES_COMMON),
        "D:\\App",
        "D:",
        shellFolder(CSIDL_PROGRAM_FILES),
        "C:\\Program Files\\Common Files\\Maker",
        system,
        selfPath.substr(0, cut),
        std::string(1, static_cast<char>(toupper(self[0]))),
        selfPath.substr(cut + 1),
        selfPath,
        device.empty() ? windows + "\\INF" : environment(device.c_str()),
        media.empty() ? windows + "\\Media" : media,
        shellFolder(CSIDL_FAVORITES),
        shellFolder(CSIDL_COMMON_FAVORITES),
        shellFolder(CSIDL_FONTS),
        shellFolder(CSIDL_DESKTOPDIRECTORY),
        shellFolder(CSIDL_COMMON_DESKTOPDIRECTORY),
        shellFolder(CSIDL_PERSONAL),
        shellFolder(CSIDL_COMMON_DOCUMENTS),
        shellFolder(CSIDL_STARTMENU),
        shellFolder(CSIDL_COMMON_STARTMENU),
        shellFolder(CSIDL_PROGRAMS),
        shellFolder(CSIDL_COMMON_PROGRAMS),
        shellFolder(CSIDL_STARTUP),
        shellFolder(CSIDL_COMMON_STARTUP),
        tempDir,
        windows,
    };
    ASSERT_EQ(static_cast<size_t>(kPathVariableCount), expected.size());
    for (int v = 0; v < kPathVariableCount; ++v) {
        String text(pathVariableName(v));
        Expand(text);
        EXPECT_FALSE(expected[v].empty()) << pathVariableName(v);
        EXPECT_STRCASEEQ(expected[v].c_str(), text.CStr()) << pathVariableName(v);
    }

    // Upper, lower and mixed case are all the same variable; unknown names stay.
    String text("%INSTALLDIR%\\bin;%installdrive%\\x;%Nothing%");
    Expand(text);
    EXPECT_EQ("D:\\App\\bin;D:\\x;%Nothing%", str(text));
    installerState().installDir.Clear();
    productSettings().sharedPath.Clear();
}

TEST(PathVariables, DrivesVanishForNetworkPaths)
{
    installerState().installDir = "\\\\server\\share\\App";
    String text("[%InstallDrive%]%InstallDir%");
    Expand(text);
    EXPECT_EQ("[]\\\\server\\share\\App", str(text));
    installerState().installDir.Clear();
}

TEST_F(ScratchFoldersTest, RegistryValueThenShellThenFallback)
{
    const std::string windows = windowsDirectory();

    set("User", "Desktop", "Q:\\Reg\\Desktop\\");
    EXPECT_EQ("Q:\\Reg\\Desktop", str(folders.desktopDir()));
    String text("%DesktopDir%\\x");
    Expand(text, folders);
    EXPECT_EQ("Q:\\Reg\\Desktop\\x", str(text));

    remove("User", "Desktop");
    EXPECT_STRCASEEQ(shellFolder(CSIDL_DESKTOPDIRECTORY).c_str(), folders.desktopDir().CStr());
    EXPECT_EQ(windows + "\\Desktop", str(noShell.desktopDir()));

    // An all-users folder without its value and without the shell is the user's folder.
    remove("Common", "Common Desktop");
    EXPECT_EQ(windows + "\\Desktop", str(noShell.desktopAllDir()));
    set("User", "Desktop", "C:\\");
    EXPECT_EQ("C:\\", str(noShell.desktopAllDir()));

    remove("User", "Start Menu");
    remove("User", "Programs");
    remove("User", "Startup");
    EXPECT_EQ(windows + "\\Start Menu\\Programs\\StartUp", str(noShell.startupDir()));
    EXPECT_STRCASEEQ(shellFolder(CSIDL_STARTUP).c_str(), folders.startupDir().CStr());
}

TEST_F(ScratchFoldersTest, BootDriveDeviceAndProgramFolders)
{
    set("Setup", "BootDir", "e:\\");
    EXPECT_EQ('E', folders.bootDrive());
    remove("Setup", "BootDir");
    EXPECT_EQ('C', folders.bootDrive());

    set("Version", "DevicePath", "%SYSTEMROOT%\\inf;X:\\drv");
    EXPECT_EQ(environment("%SystemRoot%") + "\\inf;X:\\drv", str(folders.deviceDir()));

    set("Version", "ProgramFilesDir", "P:\\Apps\\");
    remove("Version", "CommonFilesDir");
    EXPECT_EQ("P:\\Apps", str(noShell.programFilesDir()));
    EXPECT_EQ("P:\\Apps\\Common Files", str(noShell.commonFilesDir()));
    EXPECT_STRCASEEQ(shellFolder(CSIDL_PROGRAM_FILES_COMMON).c_str(), folders.commonFilesDir().CStr());
}

TEST(RunningSystem, DescriptionAndBitFromTheVersionRecord)
{
    OSVERSIONINFOA record = {};
    record.dwOSVersionInfoSize = sizeof record;
    ASSERT_TRUE(GetVersionExA(&record));
    SystemVersion version = runningSystemVersion();
    EXPECT_EQ(record.dwPlatformId, version.platformId);
    EXPECT_EQ(record.dwMajorVersion, version.major);
    EXPECT_EQ(record.dwMinorVersion, version.minor);
    const std::string description = str(systemDescription());
    EXPECT_EQ(0u, description.find("Windows ")) << description;
    EXPECT_NE(' ', description.back());
    const uint32_t bit = runningSystemBit();
    EXPECT_TRUE(bit != 0 && (bit & (bit - 1)) == 0) << bit;
}

TEST(ShellFunctions, BothFoundInShell32)
{
    EXPECT_TRUE(shellFunctionsPresent());
    EXPECT_TRUE(shellChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr));
    EXPECT_FALSE(shellSpecialFolder(CSIDL_FONTS).IsEmpty());
}
