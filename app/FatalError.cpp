// The engine's fatal-error hook: the "FATAL ERROR" box, then the exit path.
#include "app/ErrorBox.h"
#include "app/ExitProgram.h"
#include "core/Fatal.h"
#include "core/String.h"
#include "platform/Win32.h"

void fatalError(const String& text)
{
    // A fatal error raised while the first one is being reported (for instance by a window
    // procedure that runs while the exit path pumps messages) ends the process at once.
    static bool reporting = false;
    if (reporting)
        ExitProcess(1);
    reporting = true;
    MessageBoxA(ownerWindow(), text.CStr(), "FATAL ERROR", MB_TASKMODAL | MB_ICONHAND);
    exitProgram();
}
