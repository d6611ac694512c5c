#pragma once
// The installer's modal dialogs. Each is centred on the screen and owned by the background
// window; all texts come from the language table. A dialog that cannot be created returns
// the platform's failure value (0 or -1), which callers treat like Cancel.

class Language;
class String;

constexpr int kDialogNext = 1001;    // go on
constexpr int kDialogCancel = 1003;  // stop

// The language choice, filled with the table's names; selects the user's language (by the
// first word of its name), else "English", else the first. Every change of selection
// re-titles the background window with text 0 of that language. OK or a double click: the
// selection becomes the table's current language, result 1001; Cancel: 1003.
int RunLanguageDialog(Language& languages);

// The licence page (caption 44, heading 47, buttons 45 / 46) with text in its text box:
// 1001 when accepted, 1003 when declined.
int RunLicenseDialog(const String& text);

// The read-me page (caption 50, heading 51, buttons 48 / 49): 1001 or 1003.
int RunReadmeDialog(const String& text);

// The choice of the installation directory (caption 24, heading 11, at most 259
// characters, Browse through the shell's folder browser). 1 on OK, with
// InstallerState::installDir replaced by the edit box's text; 0 on Cancel (installDir
// unchanged).
int RunChooseDirDialog();
