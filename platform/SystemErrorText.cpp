#include "platform/SystemErrorText.h"

#include "platform/Win32.h"

String systemErrorText(unsigned long code)
{
    String text;
    if (code == 0)
        return text;
    char* buffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                             0x400, reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (n > 0 && buffer)
        text.Assign(buffer, static_cast<int>(n));
    if (buffer)
        LocalFree(buffer);
    return text;
}

String lastErrorText()
{
    return systemErrorText(GetLastError());
}

String lastErrorLine()
{
    String text = lastErrorText();
    text.TrimRight("\r\n");
    return text;
}
