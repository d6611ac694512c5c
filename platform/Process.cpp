// Starting programs and documents.
#include "platform/Process.h"

#include "app/ExitProgram.h"
#include "platform/Handle.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"

#include <shellapi.h>

namespace {

void setShowState(STARTUPINFOA& startup, unsigned options)
{
    WORD show;
    if (options & kRunMaximized)
        show = SW_SHOWMAXIMIZED;
    else if (options & kRunMinimized)
        show = SW_MINIMIZE;
    else if (options & kRunHidden)
        show = SW_HIDE;
    else
        return;
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
}

DWORD creationFlags(unsigned options)
{
    DWORD flags = 0;
    if (options & kRunNewConsole)
        flags |= CREATE_NEW_CONSOLE;
    if (options & kRunHighPriority)
        flags |= HIGH_PRIORITY_CLASS;
    else if (options & kRunIdlePriority)
        flags |= IDLE_PRIORITY_CLASS;
    return flags;
}

void waitForEnd(HANDLE process, unsigned options)
{
    if (!(options & kRunPumpMessages)) {
        WaitForSingleObject(process, INFINITE);
        return;
    }
    while (WaitForSingleObject(process, 1) == WAIT_TIMEOUT)
        pumpMessages();
}

} // namespace

int runProcess(const String& commandLine, unsigned options, const String& directory)
{
    if (commandLine.IsEmpty())
        return kRunNotStarted;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    setShowState(startup, options);

    // CreateProcessA may write into the command line, so it gets a copy.
    String line(commandLine);
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof info);
    if (!CreateProcessA(nullptr, line.Data(), nullptr, nullptr, FALSE, creationFlags(options), nullptr,
                        directory.IsEmpty() ? nullptr : directory.CStr(), &startup, &info)) {
        if (options & kRunErrorBox) {
            String text("Unable to create process:\r\n");
            text.Append(commandLine);
            MessageBoxA(nullptr, text.CStr(), "Error", MB_ICONHAND);
        }
        return kRunNotStarted;
    }
    Handle process(info.hProcess);
    Handle thread(info.hThread);
    if (!(options & kRunWait))
        return kRunExitUnknown;
    waitForEnd(info.hProcess, options);
    DWORD code;
    if (!GetExitCodeProcess(info.hProcess, &code))
        return kRunExitUnknown;
    return static_cast<int>(code);
}

bool openDocument(const String& path)
{
    HINSTANCE result = ShellExecuteA(nullptr, nullptr, path.CStr(), nullptr, selfDir().CStr(), SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
