// The built-in fatal texts.
#include "app/portable/FatalTexts.h"

const char kNoArchiveText[] =
    "This program performs installations and uninstallations.\r\n"
    "There is no installation archive present.\r\n"
    "No Uninstallation parameters were specified.\r\n"
    "\r\n"
    "You should not delete this program or execute it directly.";

const char kCorruptInstallerText[] =
    "This installation program is corrupt.  This is usually caused by a faulty download, but it "
    "can also be caused by a virus on your computer.  The installation cannot proceed.\r\n"
    "\r\n"
    "Delete the corrupted installer (to prevent caching), then re-download it.  If the problem "
    "persists, check your system for viruses.\r\n"
    "\r\n"
    "Error code: %d";

String corruptInstallerText(const String& languageText, int code)
{
    const String format = languageText.IsEmpty() ? String(kCorruptInstallerText) : languageText;
    const char* f = format.CStr();
    const int n = format.Length();
    String text;
    bool codePlaced = false;
    for (int i = 0; i < n; ++i) {
        if (f[i] == '%' && i + 1 < n && f[i + 1] == '%') {
            text.Append('%');
            ++i;
        } else if (!codePlaced && f[i] == '%' && i + 1 < n && f[i + 1] == 'd') {
            text.AppendFormat("%d", code);
            codePlaced = true;
            ++i;
        } else {
            text.Append(f[i]);
        }
    }
    return text;
}
