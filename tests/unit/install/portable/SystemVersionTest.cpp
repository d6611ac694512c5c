// The system's version record: its description and its excluded-systems bit.
#include "install/portable/SystemVersion.h"

#include "archive/format/SettingsLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

} // namespace

TEST(SystemVersion, DescriptionAndExcludedBit)
{
    struct Case {
        uint32_t platform, major, minor;
        const char* servicePack;
        const char* description;
        uint32_t bit;
    };
    const Case cases[] = {
        {0, 3, 11, "", "Windows 3.11", kExcludeWin32s},
        {1, 4, 0, " B", "Windows 95 B", kExcludeWindows95},
        {1, 4, 9, "", "Windows 95", kExcludeWindows95},
        {1, 4, 10, " A ", "Windows 98 A", kExcludeWindows98},
        {1, 4, 89, "", "Windows 98", kExcludeWindows98},
        {1, 4, 90, "", "Windows ME", kExcludeWindowsMe},
        {1, 5, 1, "", "Windows 9x 5.1", kExcludeOtherSystem},
        {2, 3, 51, "", "Windows NT 3.51", kExcludeNt3},
        {2, 4, 0, "Service Pack 6", "Windows NT 4.0 Service Pack 6", kExcludeNt4},
        {2, 5, 0, "Service Pack 4", "Windows 2000 Service Pack 4", kExcludeWindows2000},
        {2, 5, 1, "Service Pack 3", "Windows XP Service Pack 3", kExcludeWindowsXp},
        {2, 5, 2, "", "Windows NT 5.2", kExcludeServer2003},
        {2, 5, 3, "", "Windows NT 5.3", kExcludeOtherSystem},
        {2, 6, 1, "Service Pack 1", "Windows NT 6.1 Service Pack 1", kExcludeOtherSystem},
        {3, 2, 0, "x", "Windows  x", kExcludeOtherSystem}, // the name stays empty
    };
    for (const Case& c : cases) {
        SystemVersion v;
        v.platformId = c.platform;
        v.major = c.major;
        v.minor = c.minor;
        v.servicePack = c.servicePack;
        EXPECT_EQ(c.description, str(v.description())) << c.description;
        EXPECT_EQ(c.bit, v.excludedSystemBit()) << c.description;
    }
}
