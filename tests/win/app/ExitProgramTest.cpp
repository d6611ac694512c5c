#include "app/ExitProgram.h"

#include "platform/Win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> dispatched;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER || message == WM_USER + 1 || message == WM_CLOSE) {
        dispatched.push_back(message);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(PumpMessages, StopsRightAfterACloseMessage)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = recordingProc;
    windowClass.lpszClassName = "PumpMessagesTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "PumpMessagesTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    while (pumpMessages()) {
    }
    dispatched.clear();

    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_USER + 1, 0, 0);
    EXPECT_TRUE(pumpMessages());
    EXPECT_EQ((std::vector<UINT>{WM_USER, WM_CLOSE}), dispatched);
    // The rest stays queued for the next call, which empties the queue.
    EXPECT_FALSE(pumpMessages());
    EXPECT_EQ((std::vector<UINT>{WM_USER, WM_CLOSE, WM_USER + 1}), dispatched);
    DestroyWindow(window);
}
