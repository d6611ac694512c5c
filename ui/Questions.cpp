#include "ui/Questions.h"

#include "app/ErrorBox.h"
#include "app/InstallerState.h"
#include "archive/portable/Language.h"
#include "core/String.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"

bool AskYesNo(const String& caption, const String& text, HWND owner)
{
    String shown = text;
    expandMessagePlaceholders(shown, installerState().productName, windowsDir());
    if (!owner)
        owner = ownerWindow();
    return MessageBoxA(owner, shown.CStr(), caption.CStr(), MB_YESNO | MB_ICONINFORMATION) != IDYES;
}

void BeginWait()
{
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

void EndWait()
{
    SetCursor(nullptr);
}

void CentreOnScreen(HWND window)
{
    RECT r;
    if (!GetWindowRect(window, &r))
        return;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    if (width > screenWidth)
        width = screenWidth;
    if (height > screenHeight)
        height = screenHeight;
    const int x = (screenWidth - width) / 2;
    const int y = (screenHeight - height) / 2;
    MoveWindow(window, x < 0 ? 0 : x, y < 0 ? 0 : y, width, height, FALSE);
}
