#pragma once
// The text of Uninstall.DAT: what the uninstaller removes, the language strings it shows,
// and the file associations it undoes.

#include "core/String.h"

class InstallTexts;
class Language;

// The language strings the uninstaller needs, written under "[Strings]" in this order.
constexpr int kUninstallStringNumbers[] = {10, 15, 20, 30, 34, 35, 39, 49, 53, 55,
                                           56, 57, 58, 59, 67, 68, 69, 70, 71};
constexpr int kUninstallStringCount = sizeof kUninstallStringNumbers / sizeof kUninstallStringNumbers[0];

// Language string that opens the report of a failed Uninstall.DAT write.
constexpr int kMsgUninstallFileNotWritten = 31;

// The whole file: the uninstall list, "\r\n\r\n[Strings]\r\n", one "~<number>\r\n<text>\r\n"
// per number of kUninstallStringNumbers in the table's current language, and, only when the
// association list is not empty, "\r\n\r\n[Associations]\r\n" and that list.
String uninstallFileText(const InstallTexts& texts, Language& language);

// The error-text line of a failed write: "<opening> <path>\r\n<systemText>\r\n".
String uninstallFileFailure(const String& opening, const String& path, const String& systemText);
