// Operations on path texts.
#include "platform/portable/PathText.h"

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Index of the first c in path before end, or -1.
int findFirst(const String& path, char c, int end)
{
    const char* bytes = path.CStr();
    for (int i = 0; i < end; ++i)
        if (bytes[i] == c)
            return i;
    return -1;
}

// Index of the last c in path before end, or -1.
int findLast(const String& path, char c, int end)
{
    const char* bytes = path.CStr();
    for (int i = end - 1; i >= 0; --i)
        if (bytes[i] == c)
            return i;
    return -1;
}

// Index of the first byte that is not white space (the length when there is none).
int firstNonBlank(const String& text)
{
    int i = 0;
    while (i < text.Length() && isBlank(text.CStr()[i]))
        ++i;
    return i;
}

bool hasDriveLetter(const char* bytes)
{
    return isLetter(bytes[0]) && bytes[1] == ':';
}

// The length of the "\\server\share" part of a network path (all of it when nothing
// follows the share name).
int networkRootLength(const char* bytes, int length)
{
    int i = 2;
    while (i < length && bytes[i] != '\\')
        ++i;
    ++i;
    while (i < length && bytes[i] != '\\')
        ++i;
    return i < length ? i : length;
}

// Length of the text without its trailing backslashes.
int lengthWithoutTrailingBackslashes(const String& path)
{
    int n = path.Length();
    while (n > 0 && path.CStr()[n - 1] == '\\')
        --n;
    return n;
}

} // namespace

int lastSeparator(const String& path)
{
    int end = findFirst(path, ';', path.Length());
    if (end < 0)
        end = path.Length();
    int backslash = findLast(path, '\\', end);
    if (backslash >= 0)
        return backslash;
    return findFirst(path, ':', end);
}

String joinPath(const String& dir, const String& name)
{
    if (dir.IsEmpty())
        return name;
    if (name.IsEmpty())
        return dir;
    const char* d = dir.CStr();
    const char* n = name.CStr();
    const char last = d[dir.Length() - 1];
    String joined(d, (n[0] == '\\' && last == '\\') ? dir.Length() - 1 : dir.Length());
    if (n[0] != '\\' && last != ':' && last != '\\')
        joined.Append('\\');
    joined.Append(name);
    return joined;
}

String parentDirectory(const String& path)
{
    const int separator = lastSeparator(path);
    if (separator < 0)
        return String();
    const char* bytes = path.CStr();
    const bool keep = bytes[separator] == ':' || (separator > 0 && bytes[separator - 1] == ':');
    return String(bytes, keep ? separator + 1 : separator);
}

bool cutLastComponent(String& path)
{
    const int separator = lastSeparator(path);
    if (separator < 0)
        return false;
    path.SetLength(separator + 1);
    return true;
}

String fileNamePart(const String& path)
{
    int start = findLast(path, '\\', path.Length());
    if (start < 0)
        start = findFirst(path, ':', path.Length());
    return String(path.CStr() + start + 1, path.Length() - start - 1);
}

int extensionIndex(const String& path)
{
    const int dot = findLast(path, '.', path.Length());
    return dot > findLast(path, '\\', path.Length()) ? dot : -1;
}

bool addExtensionIfMissing(String& path, const String& ext)
{
    if (ext.IsEmpty() || firstNonBlank(path) == path.Length() || extensionIndex(path) >= 0)
        return false;
    if (ext.First() != '.')
        path.Append('.');
    path.Append(ext);
    return true;
}

char driveLetter(const String& path)
{
    const char* bytes = path.CStr();
    if (path.Length() < 2 || !hasDriveLetter(bytes))
        return 0;
    return (bytes[0] >= 'a') ? static_cast<char>(bytes[0] - 'a' + 'A') : bytes[0];
}

String driveRoot(const String& path)
{
    if (driveLetter(path) == 0)
        return String();
    return String(path.CStr(), path.CharAt(2) == '\\' ? 3 : 2);
}

bool splitPath(const String& path, String& dir, String& name)
{
    int cut = findLast(path, '\\', path.Length()) + 1;
    if (cut == 0 && driveLetter(path) != 0)
        cut = 2;
    dir.Assign(path.CStr(), cut);
    name.Assign(path.CStr() + cut, path.Length() - cut);
    return !name.IsEmpty();
}

bool sameDirectory(const String& a, const String& b)
{
    const int n = lengthWithoutTrailingBackslashes(a);
    if (n != lengthWithoutTrailingBackslashes(b))
        return false;
    for (int i = 0; i < n; ++i) {
        char x = a.CStr()[i], y = b.CStr()[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

bool isAbsolutePath(const String& path)
{
    const int start = firstNonBlank(path);
    if (path.Length() - start < 2)
        return false;
    const char* p = path.CStr() + start;
    return (p[0] == '\\' && p[1] == '\\') || (p[1] == ':' && p[2] == '\\');
}

bool resolvePath(String& path, const String& base)
{
    path.Trim();
    if (path.IsEmpty() || !isAbsolutePath(base))
        return false;
    const int start = firstNonBlank(base);
    const char* b = base.CStr() + start;
    const int baseLength = base.Length() - start;
    const bool baseEndsInBackslash = b[baseLength - 1] == '\\';
    const char* p = path.CStr();

    if (p[0] == '\\') {
        if (p[1] == '\\')
            return false;
        if (hasDriveLetter(b))
            path.Insert(0, b, 2);
        else
            path.Insert(0, b, networkRootLength(b, baseLength));
        return true;
    }
    if (path.Length() >= 2 && hasDriveLetter(p)) {
        if (p[2] == '\\')
            return false;
        // The base's directory from its third byte on; a network base has no drive to
        // drop, so all of it.
        const int from = hasDriveLetter(b) ? 2 : 0;
        String inserted(b + from, baseLength - from);
        if (!baseEndsInBackslash)
            inserted.Append('\\');
        path.Insert(2, inserted);
        return true;
    }
    String resolved(b, baseLength);
    if (!baseEndsInBackslash)
        resolved.Append('\\');
    resolved.Append(path);
    path = static_cast<String&&>(resolved);
    return true;
}

bool isValidPathName(const String& path, unsigned options)
{
    String text(path);
    if (options & kPathTrimFirst)
        text.Trim();
    text.RemoveChar('"');
    if (text.IsEmpty())
        return false;
    int from = 0;
    if (text.CharAt(1) == ':') {
        if (!isLetter(text.CharAt(0)))
            return false;
        from = 2;
    }
    const char* forbidden = (options & kPathAllowWildcards) ? "/\"<>|:;"
                            : (options & kPathAllowStar)    ? "/\"<>|?:;"
                                                            : "/\"<>|*?:;";
    return text.FindAnyOf(forbidden, from) < 0;
}

bool cutSubdirectorySwitch(String& pattern)
{
    const int n = pattern.Length();
    if (n < 3 || pattern.CStr()[n - 3] != ' ' || pattern.CStr()[n - 2] != '/' ||
        pattern.CStr()[n - 1] != 's')
        return false;
    pattern.SetLength(n - 3);
    return true;
}
