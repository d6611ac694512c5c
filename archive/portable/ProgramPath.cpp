#include "archive/portable/ProgramPath.h"

#include <cstring>

String programPathFromCommandLine(const char* commandLine)
{
    String path;
    const char* p = commandLine ? commandLine : "";
    while (*p == ' ' || *p == '\r' || *p == '\n' || *p == '\t')
        ++p;
    if (*p == '"') {
        for (++p; *p; ++p) {
            if (*p == '"') {
                if (p[1] != '"')
                    break;
                ++p;   // a doubled quote stands for one
            }
            path.Append(*p);
        }
    } else {
        const char* end = std::strchr(p, ' ');
        path.Append(p, end ? static_cast<int>(end - p) : static_cast<int>(std::strlen(p)));
    }
    int nameStart = path.FindCharReverse('\\') + 1;
    if (path.FindChar('.', nameStart) < 0)
        path.Append(".EXE");
    return path;
}
