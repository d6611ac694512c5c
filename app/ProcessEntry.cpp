// The process entry point of qsx.exe, in place of the C run-time's start-up code (linked with
// -nostartfiles, see cmake/windows.cmake). The run-time's start-up brings argument parsing,
// thread-local storage callbacks, exception and floating-point set-up and the exit-time
// machinery into every installer; the engine needs none of them. What it needs is done here:
// the static constructors run (the out-of-memory handler is installed by one), then WinMain
// gets the instance, the command tail and the show state, and its result is the exit code.
#include "platform/Win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int show);

extern "C" {

// Laid out by the linker: -1, the constructors, 0 (run from the last to the first, as the
// run-time does).
typedef void (*StaticConstructor)();
extern StaticConstructor __CTOR_LIST__[];

// A static object's constructor registers its destructor here. The engine always leaves
// through ExitProcess (exitProgram, fatal errors), so no destructor would ever run: nothing
// is kept.
int atexit(void (*)())
{
    return 0;
}

} // extern "C"

namespace {

// The command line after the program's name and the blanks that follow it, as WinMain
// receives it: the name ends at the first blank outside double quotes.
char* commandTail()
{
    char* p = GetCommandLineA();
    bool quoted = false;
    for (; *p && (quoted || static_cast<unsigned char>(*p) > ' '); ++p) {
        if (*p == '"')
            quoted = !quoted;
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return p;
}

int showState()
{
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

} // namespace

// The linker's entry (-e): Windows calls it with a stack aligned to 4 bytes only on 32-bit,
// hence the realignment.
extern "C" __attribute__((force_align_arg_pointer, used)) void qsxProcessEntry()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (int i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
    ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, commandTail(), showState())));
}
