#include "app/InstallationRecords.h"

#include "app/FinalReport.h"
#include "app/InstallerState.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "core/DateAndTime.h"
#include "install/PathVariables.h"
#include "install/UninstallFiles.h"
#include "install/UninstallRegistry.h"
#include "install/portable/UninstallEntry.h"
#include "install/portable/UninstallFileText.h"
#include "platform/ProcessPaths.h"
#include "platform/portable/PathText.h"
#include "ui/BackgroundBitmap.h"

namespace {

constexpr char kBackgroundFileName[] = "Installer Background.BMP";

bool flag(int bit)
{
    return installerState().productFlag(bit);
}

void expandPathVariables(String& text)
{
    Expand(text);
}

UninstallEntryFacts entryFacts(const String& uninstallerPath, const String& sharedFiles)
{
    const InstallerState& state = installerState();
    const ProductSettings& settings = productSettings();
    UninstallEntryFacts facts;
    facts.keyName = settings.uninstallKeyName;
    facts.uninstallerPath = uninstallerPath;
    facts.productName = state.productName;
    facts.installerPath = selfPath();
    facts.displayVersion = settings.displayVersion;
    facts.publisher = settings.publisher;
    facts.productRegistry = settings.productRegistry;
    facts.productStartMenu = settings.productStartMenu;
    facts.sharedPath = settings.sharedPath;
    facts.productFlags = state.productFlags;
    facts.uninstallBatch1 = settings.uninstallBatch1;
    facts.uninstallBatch2 = settings.uninstallBatch2;
    facts.sharedFiles = sharedFiles;
    facts.uninstallSubdir = settings.uninstallSubdir;
    facts.allUsersShortcuts = settings.shortcutMode == 1;
    facts.displayTitle = state.windowTitle;
    facts.titleColor = settings.titleColor;
    facts.topColor = settings.topColor;
    facts.bottomColor = settings.bottomColor;
    facts.monoColor = settings.monoColor;
    facts.titleShadow = settings.titleShadow;
    facts.bitmapSize = settings.bitmapSize;
    facts.records = &settings.uninstallValues;
    facts.expand = expandPathVariables;
    facts.installLocation = state.installDir;
    facts.installDate = DateAndTime::Now().FormatDateAndTime();
    return facts;
}

} // namespace

void saveUninstallerBackground(InstallTexts& texts)
{
    if (!flag(kFlagUninstallerBackground) || !backgroundBitmap().loaded())
        return;
    const String path = joinPath(uninstallerDirectory(), kBackgroundFileName);
    if (SaveBitmapFile(path.CStr()))
        texts.addUninstallEntry(path, UninstallEntryKind::File);
}

void writeUninstallerAndEntry(const String& image, const String& existingSharedFiles,
                              const FileWriteOptions& options, InstallTexts& texts)
{
    if (!flag(kFlagUninstallSupport))
        return;
    const ProductSettings& settings = productSettings();
    const String uninstaller = joinPath(uninstallerDirectory(), settings.uninstallerFileName);
    WriteUninstallerProgram(uninstaller, image, settings.uninstallerTime, options, texts);
    String keyPath(kUninstallKeyPath);
    keyPath.Append(settings.uninstallKeyName);
    WriteUninstallRegistry(HKEY_LOCAL_MACHINE, keyPath, uninstallEntryValues(entryFacts(uninstaller, existingSharedFiles)),
                           texts);
}

void writeUninstallRecord(InstallTexts& texts)
{
    if (!flag(kFlagUninstallSupport))
        return;
    const String path = joinPath(uninstallerDirectory(), kUninstallFileName);
    WriteUninstallFile(path, uninstallFileText(texts, languageTable()), message(kMsgUninstallFileNotWritten), texts);
}
