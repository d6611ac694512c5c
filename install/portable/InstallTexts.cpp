#include "install/portable/InstallTexts.h"

namespace {

// The path with only the letters a-z upper-cased, as directory entries are compared.
String directoryKey(const String& path)
{
    String key = path;
    char* p = key.Data();
    for (int i = 0; i < key.Length(); ++i)
        if (p[i] >= 'a' && p[i] <= 'z')
            p[i] = static_cast<char>(p[i] - 'a' + 'A');
    return key;
}

} // namespace

bool InstallTexts::addUninstallEntry(const String& path, UninstallEntryKind kind)
{
    if (path.Length() <= 3)
        return false;
    if (kind == UninstallEntryKind::Directory && !directories_.Set(directoryKey(path), true))
        return false;
    if (kind == UninstallEntryKind::Directory)
        uninstallList.Append("~");
    else if (kind == UninstallEntryKind::Other)
        uninstallList.Append("!");
    uninstallList.Append(path);
    uninstallList.Append("\r\n");
    return true;
}
