// The common exit path and the message pump.
#include "app/ExitProgram.h"

#include "app/InstallerState.h"
#include "platform/Win32.h"

#include <ole2.h>

bool pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.message == WM_DESTROY || msg.message == WM_CLOSE || msg.message == WM_QUIT)
            return true;
    }
    return false;
}

void exitProgram()
{
    InstallerState& state = installerState();
    if (state.progressDialog) {
        HWND dialog = state.progressDialog;
        state.progressDialog = nullptr;
        DestroyWindow(dialog);
    }
    if (state.mainWindow) {
        HWND window = state.mainWindow;
        state.mainWindow = nullptr;
        ShowWindow(window, SW_MINIMIZE);
        DestroyWindow(window);
    }
    pumpMessages();
    OleUninitialize();
    ExitProcess(1);
}
