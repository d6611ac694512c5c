// The installation sequence.
#include "app/InstallationSequence.h"

#include "app/ErrorBox.h"
#include "app/ExitProgram.h"
#include "app/InstallationActions.h"
#include "app/InstallerState.h"
#include "app/InstallationSteps.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/SettingsLayout.h"
#include "archive/SettingsPaths.h"
#include "archive/portable/ArchiveHeader.h"
#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "archive/portable/SettingsReader.h"
#include "platform/ProcessPaths.h"
#include "ui/BackgroundWindow.h"

namespace {

void takeProductFlags(const String& settings)
{
    InstallerState& state = installerState();
    state.productFlags = readProductFlags(settings.Data(), settings.Length());
    if (state.productFlag(kFlagAutomatic))
        state.automaticMode = true;
    state.maximizedBackground = state.productFlag(kFlagMaximizedBackground);
}

void readProductSettings(InstallationRun& run)
{
    InstallerState& state = installerState();
    SettingsReader reader;
    reader.windowsDir = windowsDir();
    reader.programFileSize = run.archive.file.size();
    const String& block = run.archive.settings;
    const int code = reader.read(block.Data(), block.Length(), state.productName, productSettings(), languageTable());
    if (code != 0)
        corruptInstaller(code);
    completeSettingsPaths(productSettings());
    state.languageIndex = languageTable().index();
}

} // namespace

void loadInstallerArchive(InstallationRun& run)
{
    locateArchive(run.archive);
    takeProductFlags(run.archive.settings);
    InstallerState& state = installerState();
    if (!state.productFlag(kFlagNoBackground))
        state.mainWindow = CreateBackgroundWindow(state.instance);
    if (!settingsChecksumMatches(run.archive.settings, run.archive.header.settingsKey))
        corruptInstaller(kCorruptSettingsChecksum);
    readProductSettings(run);
    run.uninstallerImage = buildUninstallerImage(run.archive, productSettings(), installerState().productFlags);
}

void runInstallation(const String& runAfterProgram)
{
    (void)runAfterProgram;
    // Kept for the whole run, never released.
    static InstallationRun* run = new InstallationRun();
    loadInstallerArchive(*run);
    runFirstSteps(*run);
    runInstallationActions(*run);
    finishInstallation(*run);
    exitProgram();
}
