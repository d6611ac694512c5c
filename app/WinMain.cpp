// The engine's entry point: set up the run state, read the command line, then uninstall the
// named product or install the archive that the program carries. Every path ends in
// exitProgram, with exit code 1.
#include "app/ExitProgram.h"
#include "app/InstallationSequence.h"
#include "app/InstallerState.h"
#include "app/portable/CommandLine.h"
#include "archive/portable/Language.h"
#include "core/Fatal.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"
#include "uninstall/UninstallDriver.h"

#include <ole2.h>

namespace {

// Moves the command line's options into the run state; the rest stay with the caller.
void applyOptions(CommandLineOptions& options, InstallerState& state)
{
    state.automaticMode = options.automaticMode;
    state.uninstallMode = options.uninstallMode;
    state.installDir = static_cast<String&&>(options.installDir);
    state.productName = static_cast<String&&>(options.productName);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int)
{
    InstallerState& state = installerState();
    state.applicationTitle = "Self-Extracting Archive";
    initPlatformPaths();
    languageTable().bindPlaceholders(&state.productName, &windowsDir());
    OleInitialize(nullptr);
    state.instance = instance;

    const String tail(commandTail);
    CommandLineOptions options;
    String problem;
    if (!parseCommandLine(tail.CStr(), options, problem))
        fatalError(usageText(problem, selfName()));
    applyOptions(options, state);

    if (state.uninstallMode) {
        // The uninstaller removes itself only after an uninstallation that went through; that
        // step comes with the uninstaller's own removal.
        runUninstall(options.uninstallName);
        exitProgram();
    }
    runInstallation(options.runAfterProgram);
}
