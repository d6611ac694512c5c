#pragma once
// The error boxes of the installer: the owner they share, the non-fatal error box and the
// corrupt-installer fatal error. The fatal box itself is fatalError (core/Fatal.h).

struct HWND__;

// The owner of every box: the progress dialog when it exists, else the background window
// (null while neither exists).
HWND__* ownerWindow();

// A non-fatal error box (OK button, hand icon) with the formatted text and the language's
// message 21 as caption ("Error" while that is empty). Nothing is shown in automatic mode
// unless product flag bit 35 asks for it, nor when the text is blank (empty, or only spaces,
// CR, LF and tabs). Returns when the box is closed.
void errorBox(const char* format, ...);

// The archive is damaged: the fatal box with the language's message 13 (the built-in text
// while that is empty) and the error code, then the exit path. Never returns.
[[noreturn]] void corruptInstaller(int code);
