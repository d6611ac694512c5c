#include "tools/uidriver/WindowSnapshot.h"

#include <cstdio>
#include <cstring>

namespace {

const UINT kSendTimeoutMs = 2000;

bool sendTimeout(HWND w, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r)) return false;
    result = static_cast<LRESULT>(r);
    return true;
}

void fnv(uint64_t& h, const char* s) {
    for (; *s; ++s) {
        h ^= static_cast<unsigned char>(*s);
        h *= 1099511628211ull;
    }
    h ^= 0xFF;
    h *= 1099511628211ull;
}

bool isCheckable(DWORD style) {
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: case BS_3STATE: case BS_AUTO3STATE:
        return true;
    default:
        return false;
    }
}

}  // namespace

ControlKind KindOfClass(const char* c) {
    if (!lstrcmpiA(c, "Static")) return ControlKind::Static;
    if (!lstrcmpiA(c, "Edit") || !strncmp(c, "RichEdit", 8) || !strncmp(c, "RICHEDIT", 8))
        return ControlKind::Edit;
    if (!lstrcmpiA(c, "Button")) return ControlKind::Button;
    if (!lstrcmpiA(c, "ListBox")) return ControlKind::ListBox;
    if (!lstrcmpiA(c, "ComboBox")) return ControlKind::ComboBox;
    return ControlKind::Other;
}

void ReadWindowText(HWND w, ControlKind kind, Buffer& out) {
    if (kind != ControlKind::Edit && kind != ControlKind::ComboBox) {
        char text[4096];
        int n = GetWindowTextA(w, text, sizeof text);
        out.Append(text, n > 0 ? n : 0);
        return;
    }
    LRESULT length = 0;
    if (!sendTimeout(w, WM_GETTEXTLENGTH, 0, 0, length) || length <= 0) return;
    if (length > 65536) length = 65536;
    char* text = new char[length + 2];
    LRESULT got = 0;
    if (sendTimeout(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text), got) && got > 0)
        out.Append(text, static_cast<int>(got < length ? got : length));
    delete[] text;
}

bool ReadListItem(HWND control, bool listBox, int index, Buffer& out) {
    // The wide messages: Wine hands the ANSI ones of another process's list the wide text.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, listBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0,
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &length) ||
        static_cast<LRESULT>(length) < 0 || length > 65536)
        return false;
    WCHAR* wide = new WCHAR[length + 2];
    DWORD_PTR got = 0;
    bool ok = SendMessageTimeoutW(control, listBox ? LB_GETTEXT : CB_GETLBTEXT, index,
                                  reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG,
                                  kSendTimeoutMs, &got) && static_cast<LRESULT>(got) >= 0;
    if (ok) {
        int n = static_cast<int>(got <= length ? got : length);
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide, n, nullptr, 0, nullptr, nullptr);
        char* ansi = new char[bytes + 1];
        WideCharToMultiByte(CP_ACP, 0, wide, n, ansi, bytes, nullptr, nullptr);
        out.Append(ansi, bytes);
        delete[] ansi;
    }
    delete[] wide;
    return ok;
}

bool WindowSnapshot::Read(HWND window, bool full) {
    window_ = window;
    controlCount_ = 0;
    texts_.Clear();
    itemsJson_.Clear();
    full_ = full;
    className_[0] = caption_[0] = 0;
    if (!IsWindow(window)) {
        window_ = nullptr;
        return false;
    }
    GetWindowThreadProcessId(window, &pid_);
    style_ = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    GetClassNameA(window, className_, sizeof className_);
    GetWindowTextA(window, caption_, sizeof caption_);
    EnumChildWindows(window, AddChild, reinterpret_cast<LPARAM>(this));
    return true;
}

BOOL CALLBACK WindowSnapshot::AddChild(HWND child, LPARAM self) {
    reinterpret_cast<WindowSnapshot*>(self)->ReadControl(child);
    return TRUE;
}

void WindowSnapshot::ReadControl(HWND child) {
    if (controlCount_ >= kMaxControls || !IsWindowVisible(child)) return;
    Control& c = controls_[controlCount_];
    c.hwnd = child;
    c.id = GetDlgCtrlID(child);
    c.className[0] = 0;
    GetClassNameA(child, c.className, sizeof c.className);
    c.kind = KindOfClass(c.className);
    c.textOffset = texts_.Length();
    if (full_ || c.kind != ControlKind::Edit) ReadWindowText(child, c.kind, texts_);
    texts_.AppendByte(0);
    // The byte appended keeps texts separate; Buffer keeps its own NUL behind the last one.
    itemsOffset_[controlCount_] = itemsJson_.Length();
    if (full_) ReadItems(c);
    itemsJson_.AppendByte(0);
    ++controlCount_;
}

void WindowSnapshot::ReadItems(const Control& c) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(c.hwnd, GWL_STYLE));
    if (c.kind == ControlKind::Button && isCheckable(style)) {
        LRESULT state = 0;
        if (sendTimeout(c.hwnd, BM_GETCHECK, 0, 0, state))
            itemsJson_.Format(",\"checked\":%d", static_cast<int>(state));
        return;
    }
    if (c.kind != ControlKind::ListBox && c.kind != ControlKind::ComboBox) return;
    bool list = c.kind == ControlKind::ListBox;
    LRESULT count = 0, selected = -1;
    if (!sendTimeout(c.hwnd, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0, count) || count < 0) return;
    itemsJson_.Append(",\"items\":[");
    for (LRESULT i = 0; i < count && i < 1000; ++i) {
        Buffer item;
        ReadListItem(c.hwnd, list, static_cast<int>(i), item);
        if (i) itemsJson_.AppendByte(',');
        itemsJson_.AppendJsonString(item.Text());
    }
    itemsJson_.AppendByte(']');
    if (sendTimeout(c.hwnd, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0, selected))
        itemsJson_.Format(",\"selected\":%d", static_cast<int>(selected));
}

const Control* WindowSnapshot::FindById(int id) const {
    for (int i = 0; i < controlCount_; ++i)
        if (controls_[i].id == id) return &controls_[i];
    return nullptr;
}

uint64_t WindowSnapshot::Signature() const {
    uint64_t h = 14695981039346656037ull;
    fnv(h, className_);
    fnv(h, caption_);
    for (int i = 0; i < controlCount_; ++i) {
        const Control& c = controls_[i];
        char id[16];
        snprintf(id, sizeof id, "%d", c.id);
        fnv(h, id);
        fnv(h, c.className);
        if (c.kind != ControlKind::Edit && c.kind != ControlKind::ComboBox) fnv(h, TextOf(c));
    }
    return h;
}

void WindowSnapshot::AppendJson(Buffer& out) const {
    out.Format("\"pid\":%lu,\"hwnd\":\"0x%llx\",\"class\":", static_cast<unsigned long>(pid_),
               static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window_)));
    out.AppendJsonString(className_);
    out.Append(",\"caption\":");
    out.AppendJsonString(caption_);
    out.Format(",\"style\":\"0x%08lX\",\"controls\":[", static_cast<unsigned long>(style_));
    for (int i = 0; i < controlCount_; ++i) {
        const Control& c = controls_[i];
        if (i) out.AppendByte(',');
        out.Format("{\"id\":%d,\"class\":", c.id);
        out.AppendJsonString(c.className);
        out.Append(",\"text\":");
        out.AppendJsonString(TextOf(c));
        if (!IsWindowEnabled(c.hwnd)) out.Append(",\"disabled\":true");
        out.Append(itemsJson_.Text() + itemsOffset_[i]);
        out.AppendByte('}');
    }
    out.AppendByte(']');
}
