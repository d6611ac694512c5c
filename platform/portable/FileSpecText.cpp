// The text of a file-specification list.
#include "platform/portable/FileSpecText.h"

#include "platform/portable/PathText.h"

namespace {

// Splits one trimmed line into its directory (made absolute against defaultDir; defaultDir
// itself when the line has none) and the rest behind the directory's separator.
void splitLine(const String& line, const String& defaultDir, String& lineDir, String& rest)
{
    const int separator = lastSeparator(line);
    lineDir = parentDirectory(line);
    rest.Assign(line.CStr() + separator + 1, line.Length() - separator - 1);
    lineDir.Trim();
    if (lineDir.IsEmpty())
        lineDir = defaultDir;
    else
        resolvePath(lineDir, defaultDir);
}

void addLineSpecifications(const String& line, const String& defaultDir, Vector<String>& specs)
{
    String lineDir, rest, spec;
    splitLine(line, defaultDir, lineDir, rest);
    while (!rest.IsEmpty()) {
        rest.TakeUntil(spec, ';');
        spec.Trim();
        if (spec.IsEmpty())
            continue;
        resolvePath(spec, lineDir);
        if (isAbsolutePath(spec))
            specs.Append(spec);
    }
}

} // namespace

Vector<String> fileSpecifications(const String& specText, const String& defaultDir)
{
    Vector<String> specs;
    String rest(specText), line;
    while (!rest.IsEmpty()) {
        rest.TakeLine(line);
        line.Trim();
        if (!line.IsEmpty())
            addLineSpecifications(line, defaultDir, specs);
    }
    return specs;
}
