// The owner of the installer's boxes, the non-fatal error box and the corrupt-installer error.
#include "app/ErrorBox.h"

#include "app/InstallerState.h"
#include "app/portable/FatalTexts.h"
#include "archive/portable/Language.h"
#include "core/Fatal.h"
#include "core/String.h"
#include "platform/Win32.h"

#include <cstdarg>

namespace {

constexpr int kCorruptInstallerMessage = 13;
constexpr int kErrorCaptionMessage = 21;
constexpr int kShowErrorsInAutomaticModeFlag = 35;

bool isBlankText(const String& text)
{
    for (int i = 0; i < text.Length(); ++i) {
        const char c = text.CStr()[i];
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t')
            return false;
    }
    return true;
}

} // namespace

HWND__* ownerWindow()
{
    const InstallerState& state = installerState();
    return state.progressDialog ? state.progressDialog : state.mainWindow;
}

void errorBox(const char* format, ...)
{
    const InstallerState& state = installerState();
    if (state.automaticMode && !state.productFlag(kShowErrorsInAutomaticModeFlag))
        return;
    va_list args;
    va_start(args, format);
    String text;
    text.FormatArgs(format, args);
    va_end(args);
    if (isBlankText(text))
        return;
    const String& caption = message(kErrorCaptionMessage);
    MessageBoxA(ownerWindow(), text.CStr(), caption.IsEmpty() ? "Error" : caption.CStr(), MB_ICONHAND);
}

void corruptInstaller(int code)
{
    fatalError(corruptInstallerText(message(kCorruptInstallerMessage), code));
}
