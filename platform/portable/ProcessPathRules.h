#pragma once
// The rules that turn the system's answers into the process's platform values
// (platform/ProcessPaths.h asks the system; these decide what to keep).

#include "core/String.h"

// The command interpreter: expanded (the expansion of "%comspec%", empty when it failed),
// or windowsDir\command.com when that is blank. A result containing a blank, CR, LF or tab is
// enclosed in double quotes, unless it already is.
String comSpecFrom(const String& expanded, const String& windowsDir);

// The temporary directory: the system's temporary path without its trailing backslash (a
// drive root keeps it, so that C:\ does not become the relative C:), or "c:\temp" when the
// system gave nothing.
String tempDirFrom(const String& systemTempPath);
