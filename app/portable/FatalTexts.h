#pragma once
// The built-in fatal texts, for the errors that can arise before (or without) the archive's
// language table.

#include "core/String.h"

// The program carries no archive and was given no uninstall parameters.
extern const char kNoArchiveText[];

// The archive is damaged; its "%d" receives the error code. Used while the language has no
// text of its own for it.
extern const char kCorruptInstallerText[];

// The corrupt-installer text for code: languageText (the language's own text, which comes from
// the archive) or kCorruptInstallerText when that is empty. The first "%d" receives the code
// and "%%" gives "%"; every other '%' stays as it is, so that a text from the archive cannot
// make the formatting read arguments that are not there.
String corruptInstallerText(const String& languageText, int code);
