#include "install/portable/PathValues.h"

#include "install/portable/FolderLookup.h"
#include "platform/portable/PathText.h"

namespace {

// The folder behind one of the folder variables; empty for any other.
String folderValue(FolderLookup& f, int variable)
{
    switch (variable) {
    case kVarCommonDir: return f.commonFilesDir();
    case kVarProgramsDir: return f.programFilesDir();
    case kVarSystemDir: return f.systemDirectory();
    case kVarDeviceDir: return f.deviceDir();
    case kVarMediaDir: return f.mediaDir();
    case kVarFavoritesDir: return f.favoritesDir();
    case kVarFavoritesAllDir: return f.favoritesAllDir();
    case kVarFontDir: return f.fontDir();
    case kVarDesktopDir: return f.desktopDir();
    case kVarDesktopAllDir: return f.desktopAllDir();
    case kVarDocumentDir: return f.documentDir();
    case kVarDocumentAllDir: return f.documentAllDir();
    case kVarStartMenuDir: return f.startMenuDir();
    case kVarStartMenuAllDir: return f.startMenuAllDir();
    case kVarSMProgramsDir: return f.programsMenuDir();
    case kVarSMProgramsAllDir: return f.programsMenuAllDir();
    case kVarStartupDir: return f.startupDir();
    case kVarStartupAllDir: return f.startupAllDir();
    default: return String();
    }
}

} // namespace

String PathValues::value(int variable)
{
    switch (variable) {
    case kVarBootDrive: {
        const char drive[3] = {folders_.bootDrive(), ':', 0};
        return String(drive);
    }
    case kVarInstallDir: return installDir;
    case kVarInstallDrive: return driveWithColon(installDir);
    case kVarSharedDir: return sharedDir;
    case kVarInstallerDir: return installerDir;
    case kVarInstallerDrive: {
        char letter = driveLetter(installerPath);
        return letter ? String(letter) : String();
    }
    case kVarInstallerFilename: return installerName;
    case kVarInstallerFilepath: return installerPath;
    case kVarTemp: return tempDir;
    case kVarWinDir: return windowsDir;
    default: return folderValue(folders_, variable);
    }
}
