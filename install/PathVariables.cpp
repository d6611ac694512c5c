#include "install/PathVariables.h"

#include "app/InstallerState.h"
#include "install/SystemFolderSource.h"
#include "install/portable/PathValues.h"
#include "install/portable/SpecialFolders.h"
#include "platform/ProcessPaths.h"

namespace {

String& sharedDirectoryText()
{
    static String path;
    return path;
}

} // namespace

SpecialFolders& specialFolders()
{
    static SystemFolderSource source;
    static SpecialFolders folders(source);
    return folders;
}

void setSharedDirectory(const String& path)
{
    sharedDirectoryText() = path;
}

const String& sharedDirectory()
{
    return sharedDirectoryText();
}

void Expand(String& text)
{
    Expand(text, specialFolders());
}

void Expand(String& text, SpecialFolders& folders)
{
    if (text.FindChar('%') < 0)
        return;
    initPlatformPaths();
    PathValues values(folders);
    values.installDir = installerState().installDir;
    values.sharedDir = sharedDirectory();
    values.installerPath = selfPath();
    values.installerDir = selfDir();
    values.installerName = selfName();
    values.tempDir = tempDir();
    values.windowsDir = windowsDir();
    expandPathVariables(text, values);
}
