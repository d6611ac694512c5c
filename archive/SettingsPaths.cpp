#include "archive/SettingsPaths.h"

#include "archive/format/SettingsLayout.h"
#include "archive/portable/ProductSettings.h"
#include "archive/portable/SettingsReader.h"
#include "install/PathVariables.h"
#include "install/portable/FolderLookup.h"
#include "platform/Directories.h"

void completeSettingsPaths(ProductSettings& settings)
{
    completeSettingsPaths(settings, specialFolders());
}

void completeSettingsPaths(ProductSettings& settings, FolderLookup& folders)
{
    if (settings.hasFlag(kFlagUninstallSupport)) {
        anchorPath(settings.sharedPath, folders.commonFilesDir());
        createDirectoryPath(settings.sharedPath);
    }
    Expand(settings.defaultDirectory, folders, settings.sharedPath);
    if (settings.defaultDirectory.Compare("<master>", false) != 0)
        anchorPath(settings.defaultDirectory, folders.programFilesDir());
}
