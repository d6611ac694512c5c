#pragma once
// The two files the uninstaller starts from: its own program and Uninstall.DAT.

#include "archive/format/ArchiveTime.h"
#include "core/String.h"
#include "install/FileWriter.h"
#include "install/portable/InstallTexts.h"

// The name of the uninstall record in the uninstaller directory.
constexpr char kUninstallFileName[] = "Uninstall.DAT";
// The name of the install log in the uninstaller directory.
constexpr char kInstallLogFileName[] = "Install.LOG";

// Writes text as the file path (replacing it; up to 10 attempts). True when written; on
// failure texts.errors gains "<failureOpening> <path>\r\n<the system's text>\r\n".
bool WriteUninstallFile(const String& path, const String& text, const String& failureOpening, InstallTexts& texts);

// Writes the uninstaller program image to path with WriteFile: time applied when its date and
// time are set, attributes of the mask cleared, and, as the file may be the running
// uninstaller of an earlier installation, replaced at the next restart when it is in use.
// True when written now; failures are reported in texts as WriteFile reports them.
bool WriteUninstallerProgram(const String& path, const String& image, const ArchiveTime& time,
                             const FileWriteOptions& options, InstallTexts& texts);
