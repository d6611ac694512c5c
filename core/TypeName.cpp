// Extraction of a type's name from a compiler signature text.
#include "core/TypeName.h"

#include "core/String.h"

#include <cstring>

void typeNameFromSignature(String& out, const char* signature)
{
    const char* start = signature ? std::strstr(signature, "T = ") : nullptr;
    if (!start) {
        out.Assign(signature);
        return;
    }
    start += 4;
    int depth = 0;
    const char* end = start;
    for (; *end; ++end) {
        char c = *end;
        if (c == '<' || c == '(' || c == '[')
            ++depth;
        else if (c == '>' || c == ')')
            --depth;
        else if (c == ']' && depth-- == 0)
            break;
        else if (c == ';' && depth == 0)
            break;
    }
    out.Assign(start, static_cast<int>(end - start));
}
