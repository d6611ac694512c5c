#include "ui/Progress.h"

#include "app/ExitProgram.h"
#include "app/InstallerState.h"
#include "archive/portable/Language.h"
#include "core/String.h"
#include "platform/Win32.h"
#include "ui/Dialog.h"
#include "ui/DialogIds.h"
#include "ui/Questions.h"

#include <commctrl.h>

#include <cstdarg>

namespace {

constexpr int kNoCancelFlag = 21;  // 0x200000
constexpr int kHoldStepMs = 50;

// Makes the common controls' window classes (the progress bar) known to this process.
void loadCommonControls()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (HMODULE module = LoadLibraryA("comctl32.dll")) {
        typedef void(WINAPI * InitFunction)();
        if (InitFunction init = reinterpret_cast<InitFunction>(
                reinterpret_cast<void*>(GetProcAddress(module, "InitCommonControls"))))
            init();
    }
}

class ProgressDialog : public Dialog {
public:
    HWND bar() const { return bar_; }

protected:
    bool onInit() override
    {
        const InstallerState& state = installerState();
        setText(message(state.uninstallMode ? 55 : 54));
        setItemText(QSX_ID_HEADING, message(state.uninstallMode ? 71 : 39));
        CentreOnScreen(window());
        RECT frame;
        GetWindowRect(item(QSX_ID_PROGRESS_FRAME), &frame);
        MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&frame), 2);
        bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, frame.left, frame.top,
                               frame.right - frame.left, frame.bottom - frame.top, window(), nullptr,
                               state.instance, nullptr);
        SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        setItemText(QSX_ID_CANCEL, message(49));
        if (state.uninstallMode || state.productFlag(kNoCancelFlag))
            EnableWindow(item(QSX_ID_CANCEL), FALSE);
        return true;
    }

    bool onCommand(int id, int) override
    {
        if (id != QSX_ID_CANCEL && id != IDCANCEL)
            return false;
        if (!installerState().productFlag(kNoCancelFlag) && IsWindowEnabled(item(QSX_ID_CANCEL)) &&
            MessageBoxA(window(), message(28).CStr(), message(20).CStr(), MB_YESNO | MB_ICONQUESTION) == IDYES)
            exitProgram();
        return true;
    }

    void onDestroy() override { bar_ = nullptr; }

private:
    HWND bar_ = nullptr;
};

ProgressDialog progressDialog;
DWORD statusTime = 0;

void showStatus(const String& text)
{
    HWND dialog = installerState().progressDialog;
    if (!dialog)
        return;
    SetDlgItemTextA(dialog, QSX_ID_STATUS, text.CStr());
    HWND status = GetDlgItem(dialog, QSX_ID_STATUS);
    InvalidateRect(status, nullptr, TRUE);
    UpdateWindow(status);
}

} // namespace

void OpenProgress()
{
    InstallerState& state = installerState();
    if (state.progressDialog)
        return;
    loadCommonControls();
    state.progressDialog = progressDialog.createModeless("ProgressDlg", state.mainWindow);
}

void CloseProgress()
{
    InstallerState& state = installerState();
    if (!state.progressDialog)
        return;
    HWND dialog = state.progressDialog;
    state.progressDialog = nullptr;
    DestroyWindow(dialog);
}

bool SetStatus(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    String text;
    text.FormatArgs(format, args);
    va_end(args);
    showStatus(text);
    return pumpMessages();
}

bool SetStatusText(int number)
{
    statusTime = GetTickCount();
    showStatus(message(number));
    return pumpMessages();
}

bool SetProgress(int percent)
{
    if (installerState().progressDialog && progressDialog.bar())
        PostMessageA(progressDialog.bar(), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    return pumpMessages();
}

bool Step(int number, int percent)
{
    const bool statusClosed = SetStatusText(number);
    return SetProgress(percent) || statusClosed;
}

void HoldStatus(int ms)
{
    if (installerState().automaticMode || ms < 1)
        return;
    for (int i = 0; i < ms; ++i) {
        if (pumpMessages())
            return;
        const int elapsed = static_cast<int>(GetTickCount() - statusTime);
        if (elapsed < 0 || elapsed >= ms)
            return;
        Sleep(kHoldStepMs);
    }
}
