#include "app/InstallationActions.h"

#include "app/FinalReport.h"
#include "app/InstallationRecords.h"
#include "app/InstallerState.h"
#include "app/portable/CompletionMessages.h"
#include "archive/portable/ProductSettings.h"
#include "install/FileDeletions.h"
#include "install/FileExtraction.h"
#include "platform/Directories.h"
#include "platform/portable/PathText.h"
#include "ui/Progress.h"

namespace {

void createUninstallerDirectory()
{
    const ProductSettings& settings = productSettings();
    if (!settings.uninstallSubdir.IsEmpty())
        createDirectoryPath(joinPath(installerState().installDir, settings.uninstallSubdir));
}

} // namespace

void runInstallationActions(InstallationRun& run)
{
    OpenProgress();
    GatherDataBlock(run.archive, productSettings(), run.dataBlock);
    createUninstallerDirectory();
    ProcessDeletions(productSettings().deletions, installerState().installDir, run.texts);
    run.setup = installationExtractionSetup();
    ExtractFiles(run.dataBlock.data, run.dataBlock.length, run.dataBlock.pendingBytes(),
                 run.archive.header.storedSizes, run.setup, run.texts, run.extraction);
}

void finishInstallation(InstallationRun& run)
{
    saveUninstallerBackground(run.texts);
    writeUninstallerAndEntry(run.uninstallerImage, run.existingSharedFiles, run.setup.writeOptions, run.texts);
    Step(kMsgFinishing, 100);
    writeUninstallRecord(run.texts);
    HoldStatus(productSettings().stepDelay);
    CloseProgress();
    FinalReport(run.texts, run.reinstall);
}
