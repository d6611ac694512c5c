#include "ui/Dialog.h"

#include "app/InstallerState.h"

namespace {

const char kSelfProperty[] = "quiv.dialog";

} // namespace

Dialog::~Dialog() {}

INT_PTR Dialog::runModal(const char* templateName, HWND owner)
{
    return DialogBoxParamA(installerState().instance, templateName, owner, route,
                           reinterpret_cast<LPARAM>(this));
}

HWND Dialog::createModeless(const char* templateName, HWND owner)
{
    return CreateDialogParamA(installerState().instance, templateName, owner, route,
                              reinterpret_cast<LPARAM>(this));
}

bool Dialog::onCommand(int, int)
{
    return false;
}

void Dialog::end(INT_PTR result)
{
    EndDialog(window_, result);
}

void Dialog::setText(const String& text)
{
    SetWindowTextA(window_, text.CStr());
}

void Dialog::setItemText(int id, const String& text)
{
    SetDlgItemTextA(window_, id, text.CStr());
}

String Dialog::itemText(int id) const
{
    String text;
    const int n = GetWindowTextLengthA(GetDlgItem(window_, id));
    if (n < 1)
        return text;
    text.SetLength(n + 1);
    const int got = GetDlgItemTextA(window_, id, text.Data(), n + 1);
    text.SetLength(got < 0 ? 0 : got);
    return text;
}

INT_PTR CALLBACK Dialog::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = static_cast<Dialog*>(GetPropA(window, kSelfProperty));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetPropA(window, kSelfProperty, self);
        self->window_ = window;
        return self->onInit() ? TRUE : FALSE;
    }
    if (!self)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return self->onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_DESTROY:
        self->onDestroy();
        RemovePropA(window, kSelfProperty);
        self->window_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}
