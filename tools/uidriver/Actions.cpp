#include "tools/uidriver/Actions.h"

#include <cstdio>
#include <cstring>

namespace {

const UINT kSendTimeoutMs = 3000;

// a and b equal ignoring case and the '&' of mnemonics.
bool sameLabel(const char* a, const char* b) {
    for (;;) {
        while (*a == '&') ++a;
        while (*b == '&') ++b;
        if (!*a || !*b) return !*a && !*b;
        char x = *a >= 'A' && *a <= 'Z' ? *a + 32 : *a;
        char y = *b >= 'A' && *b <= 'Z' ? *b + 32 : *b;
        if (x != y) return false;
        ++a;
        ++b;
    }
}

void setCheck(HWND button, WPARAM state) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(button, BM_SETCHECK, state, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
}

// What a mouse click does to a button: automatic check boxes toggle, automatic radio buttons
// take the check from the others of their group, and the parent is told BN_CLICKED. Done by
// messages rather than BM_CLICK, whose pretended mouse press is lost when the capture
// changes in between.
bool click(const Control& c, char* error, int errorSize) {
    if (!IsWindowEnabled(c.hwnd)) {
        snprintf(error, errorSize, "control %d is disabled", c.id);
        return false;
    }
    HWND parent = GetParent(c.hwnd);
    DWORD type = static_cast<DWORD>(GetWindowLongA(c.hwnd, GWL_STYLE)) & BS_TYPEMASK;
    if (c.kind == ControlKind::Button && (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE)) {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(c.hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
        WPARAM next = state == BST_UNCHECKED ? BST_CHECKED
                    : (state == BST_CHECKED && type == BS_AUTO3STATE) ? BST_INDETERMINATE : BST_UNCHECKED;
        setCheck(c.hwnd, next);
    } else if (c.kind == ControlKind::Button && type == BS_AUTORADIOBUTTON) {
        HWND other = c.hwnd;
        for (int guard = 0; guard < 256; ++guard) {
            other = GetNextDlgGroupItem(parent, other, FALSE);
            if (!other || other == c.hwnd) break;
            DWORD t = static_cast<DWORD>(GetWindowLongA(other, GWL_STYLE)) & BS_TYPEMASK;
            if (t == BS_AUTORADIOBUTTON) setCheck(other, BST_UNCHECKED);
        }
        setCheck(c.hwnd, BST_CHECKED);
    }
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c.id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(c.hwnd));
    return true;
}

bool setText(const Control& c, const char* text, char* error, int errorSize) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(c.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        snprintf(error, errorSize, "control %d did not take the text", c.id);
        return false;
    }
    if (static_cast<LRESULT>(result) == CB_ERR || static_cast<LRESULT>(result) == LB_ERRSPACE) {
        snprintf(error, errorSize, "control %d refused the text", c.id);
        return false;
    }
    return true;
}

// Index of the item whose text equals text (case ignored), -1 when there is none.
int findItem(const Control& c, bool list, const char* text) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(c.hwnd, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &count))
        return -1;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        Buffer item;
        if (ReadListItem(c.hwnd, list, i, item) && !lstrcmpiA(item.Text(), text)) return i;
    }
    return -1;
}

bool selectItem(const Control& c, const char* text, bool doubleClick, char* error, int errorSize) {
    bool list = c.kind == ControlKind::ListBox;
    if (!list && c.kind != ControlKind::ComboBox) {
        snprintf(error, errorSize, "control %d is no list box or combo box", c.id);
        return false;
    }
    if (!IsWindowEnabled(c.hwnd)) {
        snprintf(error, errorSize, "control %d is disabled", c.id);
        return false;
    }
    int index = findItem(c, list, text);
    if (index < 0) {
        snprintf(error, errorSize, "control %d has no item \"%s\"", c.id, text);
        return false;
    }
    DWORD style = static_cast<DWORD>(GetWindowLongA(c.hwnd, GWL_STYLE));
    DWORD_PTR result = 0;
    HWND parent = GetParent(c.hwnd);
    WORD id = static_cast<WORD>(c.id);
    LPARAM from = reinterpret_cast<LPARAM>(c.hwnd);
    if (list) {
        bool multi = style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
        SendMessageTimeoutA(c.hwnd, multi ? LB_SETSEL : LB_SETCURSEL, multi ? TRUE : index,
                            multi ? index : 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
        // A list box tells its parent about the user's choice only with LBS_NOTIFY.
        if (style & LBS_NOTIFY) {
            PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), from);
            if (doubleClick) PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), from);
        }
    } else {
        SendMessageTimeoutA(c.hwnd, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), from);
        if (doubleClick) PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, CBN_DBLCLK), from);
    }
    return true;
}

}  // namespace

bool PerformAction(const WindowSnapshot& w, const Action& a, char* error, int errorSize) {
    error[0] = 0;
    if (a.kind == ActionKind::Close) {
        PostMessageA(w.Window(), WM_CLOSE, 0, 0);
        return true;
    }
    if (a.kind == ActionKind::Press) {
        for (int i = 0; i < w.ControlCount(); ++i) {
            const Control& c = w.ControlAt(i);
            if (c.kind == ControlKind::Button && sameLabel(w.TextOf(c), a.text))
                return click(c, error, errorSize);
        }
        snprintf(error, errorSize, "no button \"%s\"", a.text);
        return false;
    }
    const Control* c = w.FindById(a.id);
    if (!c) {
        snprintf(error, errorSize, "no visible control with id %d", a.id);
        return false;
    }
    switch (a.kind) {
    case ActionKind::PressId: return click(*c, error, errorSize);
    case ActionKind::Type: return setText(*c, a.text, error, errorSize);
    case ActionKind::Select: return selectItem(*c, a.text, false, error, errorSize);
    case ActionKind::DoubleClick: return selectItem(*c, a.text, true, error, errorSize);
    default: return false;
    }
}
