#include "app/portable/InstallationChecks.h"

#include "app/portable/SequenceMessages.h"
#include "archive/format/SettingsLayout.h"

#include <gtest/gtest.h>

TEST(InstallationChecks, ExcludedSystems)
{
    EXPECT_FALSE(systemExcluded(0, kExcludeWindowsXp));
    EXPECT_TRUE(systemExcluded(0xffffffffu, kExcludeWindowsXp));
    EXPECT_TRUE(systemExcluded(0xffffffffu, kExcludeOtherSystem));
    EXPECT_FALSE(systemExcluded(kExcludeWindows95 | kExcludeNt4, kExcludeWindowsXp));
    EXPECT_TRUE(systemExcluded(kExcludeWindows95 | kExcludeWindowsXp, kExcludeWindowsXp));
}

TEST(InstallationChecks, ReinstallMessage)
{
    struct Case {
        bool compare;
        const char* installed;
        const char* archive;
        int expected;
    } cases[] = {
        {true, "1.2", "1.10", kMsgExistingOlder}, // 2 < 10
        {true, "1.10", "1.2", kMsgExistingNewer},
        {true, "2.0", "2.0", kMsgExistingSameVersion},
        {true, "2.0", "2.0a", kMsgExistingOlder},
        {true, "2.0.1", "2.0", kMsgExistingNewer},
        {true, ".5", "0.5", kMsgExistingSameVersion},
        {false, "1.2", "1.10", kMsgExistingFound},
        {true, "", "1.10", kMsgExistingFound},
        {true, "1.2", " \t", kMsgExistingFound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, reinstallMessage(c.compare, String(c.installed), String(c.archive)))
            << c.installed << " / " << c.archive;
}
