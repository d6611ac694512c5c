// The rules behind the command interpreter and temporary directory values.
#include "platform/portable/ProcessPathRules.h"

#include "platform/portable/PathText.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

bool containsBlank(const String& text)
{
    for (int i = 0; i < text.Length(); ++i)
        if (isBlank(text.CStr()[i]))
            return true;
    return false;
}

bool isBlankText(const String& text)
{
    for (int i = 0; i < text.Length(); ++i)
        if (!isBlank(text.CStr()[i]))
            return false;
    return true;
}

} // namespace

String comSpecFrom(const String& expanded, const String& windowsDir)
{
    String result = isBlankText(expanded) ? joinPath(windowsDir, "command.com") : expanded;
    const int n = result.Length();
    const bool quoted = n >= 2 && result.CStr()[0] == '"' && result.CStr()[n - 1] == '"';
    if (!quoted && containsBlank(result)) {
        String enclosed("\"");
        enclosed.Append(result);
        enclosed.Append('"');
        return enclosed;
    }
    return result;
}

String tempDirFrom(const String& systemTempPath)
{
    int n = systemTempPath.Length();
    const char* bytes = systemTempPath.CStr();
    if (n > 0 && bytes[n - 1] == '\\' && !(n == 3 && bytes[1] == ':'))
        --n;
    if (n <= 0)
        return String("c:\\temp");
    return String(bytes, n);
}
