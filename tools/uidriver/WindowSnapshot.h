#pragma once
// WindowSnapshot: what a top-level window shows right now: its class, caption, style and its
// visible controls with their ids, texts, list items and check states.

#include "platform/Win32.h"
#include "tools/uidriver/Buffer.h"

#include <cstdint>

enum class ControlKind { Static, Edit, Button, ListBox, ComboBox, Other };

struct Control {
    HWND hwnd;
    int id;
    ControlKind kind;
    char className[64];
    int textOffset;  // into the snapshot's text store
};

class WindowSnapshot {
public:
    static constexpr int kMaxControls = 256;

    // Reads the window. With full, also the texts that need a message to the window's thread
    // (edit contents, list items), which a busy program answers late. False when the window
    // is gone (the snapshot is then empty).
    bool Read(HWND window, bool full);

    HWND Window() const { return window_; }
    DWORD ProcessId() const { return pid_; }
    const char* ClassName() const { return className_; }
    const char* Caption() const { return caption_; }
    int ControlCount() const { return controlCount_; }
    const Control& ControlAt(int i) const { return controls_[i]; }
    const char* TextOf(const Control& c) const { return texts_.Text() + c.textOffset; }
    // The first visible control with this id; null when there is none.
    const Control* FindById(int id) const;

    // A hash of what identifies the page the window shows: class, caption, the control set
    // and the texts of everything but edit fields (which the user, or a rule, changes).
    uint64_t Signature() const;

    // Appends the fields of the window's JSON object (without braces): pid, hwnd, class,
    // caption, style, controls. Needs a full read for edit texts and items.
    void AppendJson(Buffer& out) const;

private:
    HWND window_ = nullptr;
    DWORD pid_ = 0;
    DWORD style_ = 0;
    char className_[128] = {};
    char caption_[1024] = {};
    Control controls_[kMaxControls];
    int controlCount_ = 0;
    Buffer texts_;
    Buffer itemsJson_;  // per control: ,"items":[...],"selected":N or empty
    int itemsOffset_[kMaxControls];
    bool full_ = false;

    static BOOL CALLBACK AddChild(HWND child, LPARAM self);
    void ReadControl(HWND child);
    void ReadItems(const Control& c);
};

// Text of a window of another process: WM_GETTEXT with a timeout for edit fields (their text
// lives in the control), the window's own text otherwise. Empty when it cannot be read.
void ReadWindowText(HWND window, ControlKind kind, Buffer& out);
// Appends the text of item index of a list box (listBox) or combo box. False when it cannot
// be read (out unchanged).
bool ReadListItem(HWND control, bool listBox, int index, Buffer& out);
// Class name kind: Static, Edit (also rich edit), Button, ListBox, ComboBox, or Other.
ControlKind KindOfClass(const char* className);
