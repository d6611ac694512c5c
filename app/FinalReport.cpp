#include "app/FinalReport.h"

#include "app/ErrorBox.h"
#include "app/InstallerState.h"
#include "app/MessageText.h"
#include "app/portable/CompletionMessages.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "install/UninstallFiles.h"
#include "install/portable/InstallLogText.h"
#include "platform/File.h"
#include "platform/Process.h"
#include "platform/Win32.h"
#include "platform/portable/PathText.h"

namespace {

// True when the user asks to see the log.
bool reportOutcome(InstallTexts& texts, const String& logPath)
{
    const InstallerState& state = installerState();
    if (!texts.errors.IsEmpty()) {
        if (state.automaticMode)
            return false;
        const String question = formatMessage(kMsgShowLogQuestion, "s", logPath.CStr());
        return MessageBoxA(ownerWindow(), question.CStr(), message(kMsgShowLogCaption).CStr(),
                           MB_YESNO | MB_ICONINFORMATION) == IDYES;
    }
    if (!state.automaticMode && !state.productFlag(kFlagNoCompletionMessage))
        MessageBoxA(ownerWindow(), message(kMsgInstallationComplete).CStr(), message(kMsgCompletionCaption).CStr(),
                    MB_ICONINFORMATION);
    texts.errors.Append(message(kMsgCompletionCaption));
    texts.errors.Append("\r\n\r\n");
    return false;
}

bool writeInstallLog(const InstallTexts& texts, bool reinstall, const String& path)
{
    const InstallerState& state = installerState();
    InstallLogFacts facts;
    facts.productName = state.productName;
    facts.installDir = state.installDir;
    facts.productVersion = productSettings().displayVersion;
    facts.uninstallSupport = state.productFlag(kFlagUninstallSupport);
    facts.reinstall = reinstall;
    facts.log = texts.log;
    facts.errors = texts.errors;
    return WriteTextFile(path.CStr(), installLogText(facts));
}

void showLog(const String& path)
{
    if (openDocument(path))
        return;
    String command("notepad.exe ");
    command.Append(path);
    runProcess(command, 0, String());
}

} // namespace

String uninstallerDirectory()
{
    return joinPath(installerState().installDir, productSettings().uninstallSubdir);
}

void FinalReport(InstallTexts& texts, bool reinstall, bool showReport)
{
    const bool writeLog = installLogWanted(installerState().productFlags, texts.errors);
    const String logPath = joinPath(uninstallerDirectory(), kInstallLogFileName);
    bool show = showReport && reportOutcome(texts, logPath);
    if (writeLog && !writeInstallLog(texts, reinstall, logPath))
        show = false;
    if (show)
        showLog(logPath);
}
