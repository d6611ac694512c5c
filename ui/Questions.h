#pragma once
// Questions, the wait cursor and centring, shared by the installer's windows.

struct HWND__;
class String;

// A yes/no box (information icon) with caption and text, "<product>" and "<os>" in the
// text replaced, owned by owner (null: the owner of the installer's boxes). True when the
// answer is NOT Yes.
bool AskYesNo(const String& caption, const String& text, HWND__* owner = nullptr);

// The system's wait cursor / no cursor.
void BeginWait();
void EndWait();

// Places the window in the middle of the screen (its size clipped to the screen, never
// above or left of the screen's corner), without repainting.
void CentreOnScreen(HWND__* window);
