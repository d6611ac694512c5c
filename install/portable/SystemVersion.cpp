#include "install/portable/SystemVersion.h"

#include "archive/format/SettingsLayout.h"

namespace {

// The 9x system of version 4 by its minor number.
const char* windows9xName(uint32_t minor)
{
    if (minor < 10)
        return "95";
    if (minor < 90)
        return "98";
    return "ME";
}

} // namespace

String SystemVersion::description() const
{
    String text("Windows ");
    const int ma = static_cast<int>(major);
    const int mi = static_cast<int>(minor);
    switch (platformId) {
    case win32s:
        text.AppendFormat("%d.%d", ma, mi);
        break;
    case windows9x:
        if (major == 4)
            text.Append(windows9xName(minor));
        else
            text.AppendFormat("9x %d.%d", ma, mi);
        break;
    case windowsNt:
        if (major == 5 && minor == 0)
            text.Append("2000");
        else if (major == 5 && minor == 1)
            text.Append("XP");
        else
            text.AppendFormat("NT %d.%d", ma, mi);
        break;
    default:
        break;
    }
    if (servicePack.First() != ' ')
        text.Append(' ');
    text.Append(servicePack);
    text.TrimRight();
    return text;
}

uint32_t SystemVersion::excludedSystemBit() const
{
    switch (platformId) {
    case win32s:
        return kExcludeWin32s;
    case windows9x:
        if (major != 4)
            return kExcludeOtherSystem;
        if (minor < 10)
            return kExcludeWindows95;
        return minor < 90 ? kExcludeWindows98 : kExcludeWindowsMe;
    case windowsNt:
        if (major < 4)
            return kExcludeNt3;
        if (major == 4)
            return kExcludeNt4;
        if (major == 5 && minor <= 2)
            return minor == 0 ? kExcludeWindows2000
                              : (minor == 1 ? kExcludeWindowsXp : kExcludeServer2003);
        return kExcludeOtherSystem;
    default:
        return kExcludeOtherSystem;
    }
}
