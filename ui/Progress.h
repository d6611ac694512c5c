#pragma once
// The modeless progress window and the status operations that drive it. Installing or
// uninstalling and automatic mode come from InstallerState; product flag bit 21 (0x200000)
// takes the Cancel button away. Every status operation pumps the message queue and returns
// true when a close or quit request was seen there (the caller then stops its work).

// Creates the progress window from "ProgressDlg", owned by the background window, and
// stores it as InstallerState::progressDialog (left null when it cannot be made).
void OpenProgress();
// Destroys it; nothing when there is none.
void CloseProgress();

// Formats the status line (String::Format rules), shows and repaints it, pumps messages.
bool SetStatus(const char* format, ...);
// Shows language text number as the status line and remembers when (see HoldStatus).
bool SetStatusText(int number);
// Moves the bar to percent (0..100) and pumps messages.
bool SetProgress(int percent);
// SetStatusText(number), then SetProgress(percent); true when either saw a close request.
bool Step(int number, int percent);
// Keeps the current status up until ms milliseconds have passed since SetStatusText, pumping
// messages every 50 ms; returns early on a close request. Nothing in automatic mode or for
// ms < 1.
void HoldStatus(int ms);
