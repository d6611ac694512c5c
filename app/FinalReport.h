#pragma once
// The report at the end of an installation: the question that offers the log when something
// failed, or the completion message, then Install.LOG.

#include "install/portable/InstallTexts.h"

// The uninstaller directory: join(installDir, the settings' uninstall subdirectory).
String uninstallerDirectory();

// With showReport: when texts.errors is not empty and not in automatic mode, asks (Yes/No,
// information icon) whether Install.LOG is to be shown; when it is empty, shows message 42
// unless in automatic mode or with product flag bit 22, and appends message 43 and
// "\r\n\r\n" to texts.errors. Then, with product flag bit 6 or errors on entry, writes
// Install.LOG into the uninstaller directory; when it was written and Yes was the answer,
// opens it (with Notepad when the shell cannot).
void FinalReport(InstallTexts& texts, bool reinstall, bool showReport = true);
