// fatalErrorf and internalError, built on the program's own fatalError.
#include "core/Fatal.h"
#include "core/String.h"

#include <cstdarg>

void fatalErrorf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    String text;
    text.FormatArgs(format, args);
    va_end(args);
    fatalError(text);
}

void internalError(const char* module, int line)
{
    fatalErrorf("Internal Fatal Error\r\nModule: %s\r\nLine: %d", module, line);
}
