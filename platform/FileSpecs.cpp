// The files a file-specification text names right now.
#include "platform/FileSpecs.h"

#include "platform/Directories.h"
#include "platform/portable/FileSpecText.h"

namespace {

bool holds(const Vector<String>& list, const String& path)
{
    for (const String& p : list)
        if (p.Length() == path.Length() && p.Compare(path.CStr(), false) == 0)
            return true;
    return false;
}

} // namespace

void expandFileSpecs(const String& specText, Vector<String>& result, const String& defaultDir)
{
    Vector<String> found;
    for (const String& spec : fileSpecifications(specText, defaultDir)) {
        if (findFiles(found, 0, spec) < 0)
            continue;
        for (String& path : found)
            if (!holds(result, path))
                result.Append(static_cast<String&&>(path));
    }
}
