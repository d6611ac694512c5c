#include "app/MessageText.h"

#include "app/portable/MessageFormat.h"
#include "archive/portable/Language.h"

#include <cstdarg>

String formatMessage(int number, const char* kinds, ...)
{
    const String& format = message(number);
    if (!formatTakes(format.CStr(), kinds))
        return format;
    va_list args;
    va_start(args, kinds);
    String text;
    text.FormatArgs(format.CStr(), args);
    va_end(args);
    return text;
}
