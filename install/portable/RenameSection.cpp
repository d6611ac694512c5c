#include "install/portable/RenameSection.h"

namespace {
constexpr char kHeader[] = "[rename]";
constexpr int kHeaderLength = 8;
} // namespace

bool addRenameEntry(String& text, const char* name, const char* value)
{
    String entry(name);
    if (!entry.Append('=') || !entry.Append(value))
        return false;
    int header = text.Find(kHeader, 0, kFindIgnoreCase);
    if (header >= 0) {
        String line("\r\n");
        if (!line.Append(entry))
            return false;
        return text.Insert(header + kHeaderLength, line);
    }
    String added;
    char last = text.Last();
    if (!text.IsEmpty() && last != '\r' && last != '\n' && !added.Append("\r\n"))
        return false;
    if (!added.Append(kHeader) || !added.Append("\r\n") || !added.Append(entry))
        return false;
    return text.Append(added);
}
