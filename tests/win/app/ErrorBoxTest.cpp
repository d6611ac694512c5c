#include "app/ErrorBox.h"

#include "app/InstallerState.h"
#include "archive/portable/Language.h"
#include "platform/Win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Watches the message boxes this thread opens: records each one's caption and text and
// closes it at once, so that a box shown by mistake fails the test instead of blocking it.
class BoxWatcher {
public:
    struct Box {
        std::string caption, text;
    };

    BoxWatcher()
    {
        current = this;
        hook_ = SetWindowsHookExA(WH_CBT, &BoxWatcher::onCbt, nullptr, GetCurrentThreadId());
    }
    ~BoxWatcher()
    {
        UnhookWindowsHookEx(hook_);
        current = nullptr;
    }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    std::vector<Box> boxes;

private:
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE && current) {
            HWND box = reinterpret_cast<HWND>(wParam);
            char className[32] = {};
            GetClassNameA(box, className, sizeof className);
            if (std::string(className) == "#32770") {
                char caption[256] = {}, text[1024] = {};
                GetWindowTextA(box, caption, sizeof caption);
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                current->boxes.push_back({caption, text});
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static BoxWatcher* current;
    HHOOK hook_;
};

BoxWatcher* BoxWatcher::current = nullptr;

class ErrorBoxTest : public testing::Test {
protected:
    void TearDown() override
    {
        InstallerState& state = installerState();
        state.automaticMode = false;
        state.productFlags = 0;
        state.mainWindow = nullptr;
        state.progressDialog = nullptr;
        languageTable().clear();
    }
    BoxWatcher watcher;
};

} // namespace

TEST_F(ErrorBoxTest, ShowsTheFormattedTextWithTheErrorCaption)
{
    errorBox("Cannot write %s (%d)", "C:\\App\\a.dll", 5);
    ASSERT_EQ(1u, watcher.boxes.size());
    EXPECT_EQ("Error", watcher.boxes[0].caption);
    EXPECT_EQ("Cannot write C:\\App\\a.dll (5)", watcher.boxes[0].text);

    // The language's message 21 is the caption once there is one.
    languageTable().reset(1, 30);
    String caption("Fehler");
    ASSERT_TRUE(languageTable().setText(21, 0, caption));
    errorBox("x");
    ASSERT_EQ(2u, watcher.boxes.size());
    EXPECT_EQ("Fehler", watcher.boxes[1].caption);
}

TEST_F(ErrorBoxTest, BlankTextsShowNothing)
{
    errorBox("");
    errorBox(" \r\n\t ");
    errorBox("%s", "  ");
    EXPECT_TRUE(watcher.boxes.empty());
}

TEST_F(ErrorBoxTest, AutomaticModeShowsBoxesOnlyWhenTheArchiveAsks)
{
    installerState().automaticMode = true;
    errorBox("silent");
    installerState().productFlags = uint64_t(1) << 34 | uint64_t(1) << 36; // the neighbours
    errorBox("still silent");
    EXPECT_TRUE(watcher.boxes.empty());

    installerState().productFlags = uint64_t(1) << 35;
    errorBox("shown");
    ASSERT_EQ(1u, watcher.boxes.size());
    EXPECT_EQ("shown", watcher.boxes[0].text);
}

TEST_F(ErrorBoxTest, OwnerIsTheProgressDialogElseTheMainWindow)
{
    HWND main = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND progress = CreateWindowExA(0, "STATIC", "progress", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    InstallerState& state = installerState();
    EXPECT_EQ(nullptr, ownerWindow());
    state.mainWindow = main;
    EXPECT_EQ(main, ownerWindow());
    state.progressDialog = progress;
    EXPECT_EQ(progress, ownerWindow());
    DestroyWindow(progress);
    DestroyWindow(main);
}
