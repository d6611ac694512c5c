#include "install/portable/FolderLookup.h"

#include "install/portable/FolderSource.h"
#include "platform/portable/PathText.h"

namespace {

// The shell's folder numbers (CSIDL values) used here.
enum : int {
    kCsidlPrograms = 2,
    kCsidlPersonal = 5,
    kCsidlFavorites = 6,
    kCsidlStartup = 7,
    kCsidlStartMenu = 11,
    kCsidlDesktopDirectory = 16,
    kCsidlFonts = 20,
    kCsidlCommonStartMenu = 22,
    kCsidlCommonPrograms = 23,
    kCsidlCommonStartup = 24,
    kCsidlCommonDesktopDirectory = 25,
    kCsidlCommonFavorites = 31,
    kCsidlProgramFiles = 38,
    kCsidlProgramFilesCommon = 43,
    kCsidlCommonDocuments = 46,
};

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kSetup[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kSystemRoot[] = "%SystemRoot%";

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// folder unless it is empty, else fallback.
String orElse(String folder, const String& fallback)
{
    return folder.IsEmpty() ? fallback : folder;
}

} // namespace

FolderLookup::FolderLookup(FolderSource& source)
    : userFolders{true, kShellFolders},
      commonFolders{false, kShellFolders},
      versionKey{false, kCurrentVersion},
      setupKey{false, kSetup},
      source_(source)
{
}

String FolderLookup::registryFolder(const RegistryLocation& key, const char* name)
{
    String value = source_.registryText(key.currentUser, key.path, name);
    if (value.Length() > 3)
        value.RemoveLastIf('\\');
    return value;
}

String FolderLookup::userOrShell(const RegistryLocation& key, const char* name, int csidl)
{
    String folder = registryFolder(key, name);
    if (folder.IsEmpty())
        folder = source_.shellFolder(csidl);
    return folder;
}

String FolderLookup::inWindows(const char* name)
{
    return joinPath(source_.windowsDir(), name);
}

String FolderLookup::commonFilesDir()
{
    String folder = userOrShell(versionKey, "CommonFilesDir", kCsidlProgramFilesCommon);
    return folder.IsEmpty() ? joinPath(programFilesDir(), "Common Files") : folder;
}

String FolderLookup::programFilesDir()
{
    return orElse(userOrShell(versionKey, "ProgramFilesDir", kCsidlProgramFiles),
                  "c:\\Program Files");
}

String FolderLookup::deviceDir()
{
    String folder = registryFolder(versionKey, "DevicePath");
    if (folder.IsEmpty())
        return inWindows("INF");
    if (folder.Find(kSystemRoot, 0, kFindIgnoreCase) >= 0) {
        String root = source_.systemRoot();
        if (!root.IsEmpty())
            folder.Replace(kSystemRoot, root.CStr(), kFindIgnoreCase | kFindFirstOnly);
    }
    return folder;
}

String FolderLookup::mediaDir()
{
    String folder = registryFolder(versionKey, "MediaPath");
    return folder.IsEmpty() ? inWindows("Media") : folder;
}

String FolderLookup::desktopDir()
{
    String folder = userOrShell(userFolders, "Desktop", kCsidlDesktopDirectory);
    return folder.IsEmpty() ? inWindows("Desktop") : folder;
}

String FolderLookup::desktopAllDir()
{
    String folder = userOrShell(commonFolders, "Common Desktop", kCsidlCommonDesktopDirectory);
    return folder.IsEmpty() ? desktopDir() : folder;
}

String FolderLookup::documentDir()
{
    return orElse(userOrShell(userFolders, "Personal", kCsidlPersonal), "c:\\My Documents");
}

String FolderLookup::documentAllDir()
{
    String folder = userOrShell(commonFolders, "Common Documents", kCsidlCommonDocuments);
    return folder.IsEmpty() ? documentDir() : folder;
}

String FolderLookup::favoritesDir()
{
    String folder = userOrShell(userFolders, "Favorites", kCsidlFavorites);
    return folder.IsEmpty() ? inWindows("Favorites") : folder;
}

String FolderLookup::favoritesAllDir()
{
    String folder = userOrShell(commonFolders, "Common Favorites", kCsidlCommonFavorites);
    return folder.IsEmpty() ? favoritesDir() : folder;
}

String FolderLookup::fontDir()
{
    String folder = userOrShell(userFolders, "Fonts", kCsidlFonts);
    return folder.IsEmpty() ? inWindows("Fonts") : folder;
}

String FolderLookup::startMenuDir()
{
    String folder = userOrShell(userFolders, "Start Menu", kCsidlStartMenu);
    return folder.IsEmpty() ? inWindows("Start Menu") : folder;
}

String FolderLookup::startMenuAllDir()
{
    String folder = userOrShell(commonFolders, "Common Start Menu", kCsidlCommonStartMenu);
    return folder.IsEmpty() ? startMenuDir() : folder;
}

String FolderLookup::programsMenuDir()
{
    String folder = userOrShell(userFolders, "Programs", kCsidlPrograms);
    return folder.IsEmpty() ? joinPath(startMenuDir(), "Programs") : folder;
}

String FolderLookup::programsMenuAllDir()
{
    String folder = userOrShell(commonFolders, "Common Programs", kCsidlCommonPrograms);
    return folder.IsEmpty() ? programsMenuDir() : folder;
}

String FolderLookup::startupDir()
{
    String folder = userOrShell(userFolders, "Startup", kCsidlStartup);
    return folder.IsEmpty() ? joinPath(programsMenuDir(), "StartUp") : folder;
}

String FolderLookup::startupAllDir()
{
    String folder = userOrShell(commonFolders, "Common Startup", kCsidlCommonStartup);
    return folder.IsEmpty() ? startupDir() : folder;
}

char FolderLookup::bootDrive()
{
    String value = source_.registryText(setupKey.currentUser, setupKey.path, "BootDir");
    if (value.CharAt(1) != ':' || !isLetter(value.First()))
        return 'C';
    char letter = value.First();
    return (letter >= 'a') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

String FolderLookup::systemDirectory()
{
    String folder = source_.systemDirectory();
    if (!folder.IsEmpty())
        return folder;
    return inWindows(source_.ntFamily() ? "System32" : "System");
}
