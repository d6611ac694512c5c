#pragma once
// Dialog: a dialog from the program's resources whose messages go to member functions.
// A subclass overrides what it handles; the rest gets the dialog manager's default.

#include "core/String.h"
#include "platform/Win32.h"

class Dialog {
public:
    Dialog() {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the template modally, owned by owner. The value given to end(), or the platform's
    // failure value (0 or -1) when the dialog cannot be created.
    INT_PTR runModal(const char* templateName, HWND owner);
    // Creates the template as a modeless dialog owned by owner; null when it cannot be made.
    // The object must outlive the window.
    HWND createModeless(const char* templateName, HWND owner);

    HWND window() const { return window_; }

protected:
    // WM_INITDIALOG; the result as the dialog manager expects it (true: default focus).
    virtual bool onInit() { return true; }
    // WM_COMMAND from control id with its notification code; true when handled.
    virtual bool onCommand(int id, int code);
    // WM_DESTROY.
    virtual void onDestroy() {}

    // Ends a modal dialog with result.
    void end(INT_PTR result);
    void setText(const String& text);
    void setItemText(int id, const String& text);
    String itemText(int id) const;
    HWND item(int id) const { return GetDlgItem(window_, id); }

private:
    static INT_PTR CALLBACK route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};
