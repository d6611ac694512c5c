#include "install/PathVariables.h"

#include "app/InstallerState.h"
#include "archive/portable/ProductSettings.h"
#include "install/SystemFolderSource.h"
#include "install/portable/PathValues.h"
#include "install/portable/FolderLookup.h"
#include "platform/ProcessPaths.h"

FolderLookup& specialFolders()
{
    static SystemFolderSource source;
    static FolderLookup folders(source);
    return folders;
}

void Expand(String& text)
{
    Expand(text, specialFolders());
}

void Expand(String& text, FolderLookup& folders)
{
    Expand(text, folders, productSettings().sharedPath);
}

void Expand(String& text, FolderLookup& folders, const String& sharedDir)
{
    if (text.FindChar('%') < 0)
        return;
    initPlatformPaths();
    PathValues values(folders);
    values.installDir = installerState().installDir;
    values.sharedDir = sharedDir;
    values.installerPath = selfPath();
    values.installerDir = selfDir();
    values.installerName = selfName();
    values.tempDir = tempDir();
    values.windowsDir = windowsDir();
    expandPathVariables(text, values);
}
