#include "install/portable/PathVariableSource.h"

#include "platform/portable/PathText.h"

namespace {

const char* const kNames[kPathVariableCount] = {
    "%BootDrive%",         "%CommonDir%",         "%InstallDir%",       "%InstallDrive%",
    "%ProgramsDir%",       "%SharedDir%",         "%SystemDir%",        "%InstallerDir%",
    "%InstallerDrive%",    "%InstallerFilename%", "%InstallerFilepath%", "%DeviceDir%",
    "%MediaDir%",          "%FavoritesDir%",      "%FavoritesAllDir%",  "%FontDir%",
    "%DesktopDir%",        "%DesktopAllDir%",     "%DocumentDir%",      "%DocumentAllDir%",
    "%StartMenuDir%",      "%StartMenuAllDir%",   "%SMProgramsDir%",    "%SMProgramsAllDir%",
    "%StartupDir%",        "%StartupAllDir%",     "%Temp%",             "%WinDir%",
};

} // namespace

const char* pathVariableName(int variable)
{
    return variable >= 0 && variable < kPathVariableCount ? kNames[variable] : nullptr;
}

void expandPathVariables(String& text, PathVariableSource& source)
{
    for (int v = 0; v < kPathVariableCount; ++v) {
        // Every name is at least six bytes, so a text without a '%' needs no search at all.
        if (text.FindChar('%') < 0)
            return;
        if (text.Find(kNames[v], 0, kFindIgnoreCase) < 0)
            continue;
        String value = source.value(v);
        text.Replace(kNames[v], value.CStr(), kFindIgnoreCase);
    }
}

String driveWithColon(const String& path)
{
    char letter = driveLetter(path);
    if (letter == 0)
        return String();
    char drive[3] = {letter, ':', 0};
    return String(drive);
}
