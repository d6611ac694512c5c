#pragma once
// The operating system's text for an error code.

#include "core/String.h"

// Empty for 0; otherwise the system's message for code (FormatMessageA from the system, the
// user's default language), as the system gives it (usually ending in "\r\n"); empty when the
// system has no text for it.
String systemErrorText(unsigned long code);

// systemErrorText(GetLastError()).
String lastErrorText();

// lastErrorText() without its closing line breaks, for texts that add their own.
String lastErrorLine();
