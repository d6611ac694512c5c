// The installer's command line: splitting into atoms and interpreting each switch.
#include "app/portable/CommandLine.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The switch text (after its '/' or '-') begins with prefix, letters compared without case.
bool hasPrefix(const char* rest, int length, const char* prefix)
{
    int i = 0;
    for (; prefix[i]; ++i)
        if (i >= length || upper(rest[i]) != prefix[i])
            return false;
    return true;
}

// The value of a switch: the bytes from start, without one enclosing pair of double quotes.
String switchValue(const char* rest, int length, int start)
{
    const char* value = rest + start;
    int n = length - start;
    if (n >= 2 && value[0] == '"' && value[n - 1] == '"') {
        ++value;
        n -= 2;
    }
    return String(value, n);
}

// /r:"program": the text after the opening quote, one trailing quote dropped, backquotes made
// double quotes (so the program's own arguments can carry quotes).
String runAfterValue(const char* rest, int length)
{
    int n = length - 3;
    if (n > 0 && rest[length - 1] == '"')
        --n;
    String value(rest + 3, n);
    char* bytes = value.Data();
    for (int i = 0; i < n; ++i)
        if (bytes[i] == '`')
            bytes[i] = '"';
    return value;
}

// Applies one atom to options. False on a usage error, with message set.
bool applyAtom(const String& atom, CommandLineOptions& options, String& message)
{
    const char* text = atom.CStr();
    if (text[0] != '/' && text[0] != '-') {
        message = "Unexpected command line parameter:\n";
        message.Append(atom);
        return false;
    }
    const char* rest = text + 1;
    const int length = atom.Length() - 1;

    if (length == 1 && upper(rest[0]) == 'A') {
        options.automaticMode = true;
    } else if (hasPrefix(rest, length, "D:")) {
        options.installDir = switchValue(rest, length, 2);
    } else if (hasPrefix(rest, length, "N:")) {
        options.productName = switchValue(rest, length, 2);
    } else if (hasPrefix(rest, length, "U")) {
        options.uninstallMode = true;
        if (length > 1 && rest[1] == ':')
            options.uninstallName = switchValue(rest, length, 2);
    } else if (hasPrefix(rest, length, "R:\"")) {
        options.runAfterProgram = runAfterValue(rest, length);
    } else if (length > 0) {
        message = "Illegal command line atom:\n";
        message.Append(rest, length);
        return false;
    }
    return true;
}

} // namespace

String nextCommandLineAtom(const char* text, int length, int& pos)
{
    while (pos < length && isBlank(text[pos]))
        ++pos;
    String atom;
    while (pos < length) {
        char c = text[pos++];
        if (c == '"') {
            atom.Append('"');
            while (pos < length) {
                if (text[pos] != '"') {
                    atom.Append(text[pos++]);
                } else if (pos + 1 < length && text[pos + 1] == '"') {
                    atom.Append('"');
                    pos += 2;
                } else {
                    ++pos;
                    break;
                }
            }
            atom.Append('"');
        } else if (isBlank(c)) {
            break;
        } else {
            atom.Append(c);
        }
    }
    return atom;
}

bool parseCommandLine(const char* tail, CommandLineOptions& options, String& message)
{
    const String line(tail ? tail : "");
    int pos = 0;
    for (int examined = 0; examined < kMaxCommandLineAtoms; ++examined) {
        String atom = nextCommandLineAtom(line.CStr(), line.Length(), pos);
        if (atom.IsEmpty())
            break;
        if (!applyAtom(atom, options, message))
            return false;
    }
    if (options.uninstallMode && options.uninstallName.IsEmpty()) {
        message = "Product name required";
        return false;
    }
    return true;
}

String usageText(const String& message, const String& programName)
{
    String text;
    text.Format("%s\n\nUsage:\n%s [/a] [/d:\"dir\"] [/n:\"name\"] [/u:\"name\"] [/r:\"program\"]\n\n"
                "/a                  \tAutomatic mode\n"
                "/d:\"dir\"        \tOverride installation directory\n"
                "/n:\"name\"\tOverride product name\n"
                "/u:\"name\"\tUninstall product by name\r\n"
                "/r:\"program\"\tRun the specified program after a successful installation",
                message.CStr(), programName.CStr());
    return text;
}
