// The fatal-error hook for programs without a user interface (the builder, the tests):
// the text goes to standard error and the process ends with exit code 3.
#include "core/Fatal.h"
#include "core/String.h"

#include <cstdio>
#include <cstdlib>

void fatalError(const String& text)
{
    std::fprintf(stderr, "FATAL ERROR: %s\n", text.CStr());
    std::fflush(stderr);
    std::exit(3);
}
