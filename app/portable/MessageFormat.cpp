// Checking archive texts before they are used as formats.
#include "app/portable/MessageFormat.h"

#include <cstring>

bool formatTakes(const char* format, const char* kinds)
{
    if (!format)
        return true;
    const char* next = kinds ? kinds : "";
    for (const char* p = format; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p && std::strchr("-+ #0123456789.", *p))
            ++p;
        if (!*p || *next == '\0' || *p != *next)
            return false;
        ++next;
    }
    return true;
}
