// The installation's steps from the language choice to the confirmed installation directory.
#include "app/InstallationSteps.h"

#include "app/ErrorBox.h"
#include "app/ExitProgram.h"
#include "app/InstallerState.h"
#include "app/MessageText.h"
#include "app/portable/InstallDirectoryChecks.h"
#include "app/portable/InstallationChecks.h"
#include "app/portable/SequenceMessages.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "install/PathVariables.h"
#include "install/RunningSystem.h"
#include "install/portable/FolderLookup.h"
#include "install/portable/UninstallEntry.h"
#include "platform/Directories.h"
#include "platform/Drives.h"
#include "platform/ProcessPaths.h"
#include "platform/RegistryHandle.h"
#include "platform/SystemErrorText.h"
#include "platform/Win32.h"
#include "platform/portable/PathText.h"
#include "core/NumberFormat.h"
#include "ui/BackgroundWindow.h"
#include "ui/InstallerDialogs.h"
#include "ui/Questions.h"

namespace {

bool isBlank(const String& text)
{
    return text.FindNotOf(" \r\n\t") < 0;
}

bool flag(int bit)
{
    return installerState().productFlag(bit);
}

// The text with "<product>" and "<os>" replaced.
String withPlaceholders(const String& text)
{
    String out(text);
    expandMessagePlaceholders(out, installerState().productName, windowsDir());
    return out;
}

// True on Yes.
bool askYesNo(HWND owner, const String& text, int captionMessage, unsigned icon)
{
    return MessageBoxA(owner, text.CStr(), message(captionMessage).CStr(), MB_YESNO | icon) == IDYES;
}

// Opens the product's uninstall key for reading only (an installer run without the right to
// change the machine's keys still sees them); false when it does not open.
bool openUninstallKey(RegistryHandle& key, const String& name)
{
    String path(kUninstallKeyPath);
    path.Append(name);
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.CStr(), 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
}

bool hasValue(const RegistryHandle& key, const char* name)
{
    return RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The text value name of key; empty when it is missing or not a text.
String readText(const RegistryHandle& key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    String text;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0 || size > 0x7ffffffe)
        return text;
    text.SetLength(static_cast<int>(size));
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.Data()), &size) !=
        ERROR_SUCCESS) {
        text.Clear();
        return text;
    }
    text.SetLength(static_cast<int>(size) < text.Length() ? static_cast<int>(size) : text.Length());
    const int end = text.FindChar('\0');
    if (end >= 0)
        text.SetLength(end);
    return text;
}

void chooseLanguage()
{
    InstallerState& state = installerState();
    Language& table = languageTable();
    if (table.languageCount() > 1 && !state.automaticMode) {
        if (RunLanguageDialog(table) != kDialogNext)
            exitProgram();
        state.languageIndex = table.index();
    }
    state.windowTitle = message(kMsgWindowTitle);
    RepaintBackground();
}

void refuseExcludedSystem()
{
    if (!systemExcluded(productSettings().excludedSystems, runningSystemBit()))
        return;
    errorBox("%s", formatMessage(kMsgExcludedSystem, "s", systemDescription().CStr()).CStr());
    exitProgram();
}

void checkMasterProduct()
{
    if (!flag(kFlagMasterUpdate))
        return;
    ProductSettings& settings = productSettings();
    String location;
    if (!isProductInstalled(settings.masterKeyName, &location)) {
        errorBox("%s", formatMessage(kMsgMasterMissing, "s", settings.masterKeyName.CStr()).CStr());
        exitProgram();
    }
    if (settings.defaultDirectory.Compare("<master>", false) == 0)
        settings.defaultDirectory = location;
}

void readExistingInstallation(InstallationRun& run)
{
    if (!flag(kFlagUninstallSupport))
        return;
    RegistryHandle key;
    if (openUninstallKey(key, productSettings().uninstallKeyName)) {
        run.existingLocation = readText(key, "InstallLocation");
        run.existingVersion = readText(key, "DisplayVersion");
        run.existingSharedFiles = readText(key, "SharedFiles");
    }
    run.existingFound = !run.existingLocation.IsEmpty() && directoryExists(run.existingLocation);
}

void askWelcome()
{
    if (installerState().automaticMode)
        return;
    if (!askYesNo(installerState().mainWindow, withPlaceholders(message(kMsgWelcome)), kMsgWelcomeCaption,
                  MB_ICONINFORMATION))
        exitProgram();
}

// The intro message and then each text that is not blank, each on its own page.
void showPages(int introMessage, const String* texts, int count, int (*runPage)(const String&))
{
    if (installerState().automaticMode)
        return;
    for (int i = -1; i < count; ++i) {
        const String& text = i < 0 ? message(introMessage) : texts[i];
        if (isBlank(text))
            continue;
        if (runPage(withPlaceholders(text)) != kDialogNext)
            exitProgram();
    }
}

// Into the existing installation's directory, after the reinstall question.
void reinstallIntoExisting(InstallationRun& run)
{
    InstallerState& state = installerState();
    if (flag(kFlagRefuseExisting)) {
        state.automaticMode = false;
        errorBox("%s", message(kMsgAlreadyInstalled).CStr());
        exitProgram();
    }
    if (!state.automaticMode && !flag(kFlagReinstallWithoutAsking)) {
        const int opening = reinstallMessage(flag(kFlagCompareVersions), run.existingVersion,
                                             productSettings().displayVersion);
        String text(message(opening));
        text.Append("\r\n");
        text.Append(run.existingLocation);
        text.Append("\r\n\r\n");
        text.Append(message(kMsgReinstallClosing));
        if (!askYesNo(ownerWindow(), text, kMsgReinstallCaption, MB_ICONQUESTION))
            exitProgram();
    }
    state.installDir = run.existingLocation;
    run.reinstall = true;
}

// The default directory with its path variables expanded, anchored on Program Files.
String defaultInstallDirectory()
{
    String dir(productSettings().defaultDirectory);
    Expand(dir);
    if (!isAbsolutePath(dir))
        dir = joinPath(specialFolders().programFilesDir(), dir);
    return dir;
}

bool driveHasRoot(char letter)
{
    return driveExists(letter);
}

// The box of a rejected directory text (checkInstallDirectory's message).
void showDirectoryProblem(int problem, const String& dir)
{
    switch (problem) {
    case kMsgInvalidDirectory:
        errorBox("%s\r\n%s", message(kMsgInvalidDirectory).CStr(), dir.CStr());
        break;
    case kMsgNoSuchDrive:
        errorBox("%s", formatMessage(kMsgNoSuchDrive, "c", driveLetter(dir)).CStr());
        break;
    case kMsgProgramFilesDirectory:
        errorBox("%s", formatMessage(kMsgProgramFilesDirectory, "s", specialFolders().programFilesDir().CStr()).CStr());
        break;
    default:
        errorBox("%s", message(problem).CStr());
        break;
    }
}

// True when the space is enough, the drive cannot be measured, or the user accepts the
// shortage.
bool acceptDiskSpace(const String& dir, const Vector<int32_t>& storedSizes)
{
    const char drive = driveLetter(dir);
    if (installerState().automaticMode || !drive)
        return true;
    const int cluster = clusterSize(dir);
    const int64_t freeBytes = freeSpace(dir);
    if (cluster < 0 || freeBytes < 0)
        return true;
    const int64_t needed = neededDiskSpace(storedSizes, cluster);
    if (!diskSpaceShort(needed, freeBytes))
        return true;
    const String text = formatMessage(kMsgDiskSpace, "scs", FormatByteSize(needed).CStr(), drive,
                                      FormatByteSize(freeBytes).CStr());
    return askYesNo(ownerWindow(), text, kMsgDiskSpaceCaption, MB_ICONQUESTION);
}

// Points 9 to 11 of one pass: the confirmation and the creation of the directory.
bool confirmAndCreate(const String& dir)
{
    BeginWait();
    const bool exists = directoryExists(dir);
    EndWait();
    const String text = formatMessage(exists ? kMsgDirectoryExists : kMsgDirectoryCreated, "s", dir.CStr());
    if (flag(kFlagConfirmDirectory) && !askYesNo(ownerWindow(), text, kMsgDirectoryCaption, MB_ICONQUESTION))
        return false;
    if (exists || createDirectoryPath(dir))
        return true;
    String failure(message(kMsgDirectoryNotCreated));
    failure.Append("\r\n");
    failure.Append(dir);
    failure.Append("\r\n\r\n");
    failure.Append(lastErrorText());
    failure.TrimRight();
    errorBox("%s", failure.CStr());
    return false;
}

// One pass of the directory dialog; true when the directory is accepted.
bool directoryPass(const InstallationRun& run)
{
    InstallerState& state = installerState();
    if (RunChooseDirDialog() == 0)
        exitProgram();
    if (!trimInstallDirectory(state.installDir))
        return false;
    DirectoryCheckContext context;
    context.refuseNetwork = flag(kFlagRefuseNetworkDirectory);
    context.programFilesDir = specialFolders().programFilesDir();
    context.driveHasRoot = driveHasRoot;
    const int problem = checkInstallDirectory(state.installDir, context);
    if (problem != 0) {
        showDirectoryProblem(problem, state.installDir);
        return false;
    }
    if (!acceptDiskSpace(state.installDir, run.archive.header.storedSizes))
        return false;
    return confirmAndCreate(state.installDir);
}

void chooseInstallDirectory(InstallationRun& run)
{
    if (flag(kFlagUninstallSupport) && run.existingFound) {
        reinstallIntoExisting(run);
        return;
    }
    InstallerState& state = installerState();
    if (state.installDir.IsEmpty())
        state.installDir = defaultInstallDirectory();
    if (state.automaticMode || !flag(kFlagAskDirectory)) {
        createDirectoryPath(state.installDir);
        return;
    }
    while (!directoryPass(run)) {
    }
}

} // namespace

bool isProductInstalled(const String& uninstallKeyName, String* location)
{
    RegistryHandle key;
    const bool installed = openUninstallKey(key, uninstallKeyName) &&
                           (hasValue(key, "UninstallString") || hasValue(key, "QuietUninstallString"));
    if (location)
        *location = installed ? readText(key, "InstallLocation") : String();
    return installed;
}

void runFirstSteps(InstallationRun& run)
{
    chooseLanguage();
    refuseExcludedSystem();
    checkMasterProduct();
    readExistingInstallation(run);
    askWelcome();
    const ProductSettings& settings = productSettings();
    showPages(kMsgLicenceIntro, settings.licenceTexts, settings.licenceCount, RunLicenseDialog);
    showPages(kMsgReadmeIntro, settings.readmeTexts, settings.readmeCount, RunReadmeDialog);
    chooseInstallDirectory(run);
}
