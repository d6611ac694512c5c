#include "install/portable/FileVersionOrder.h"

#include <gtest/gtest.h>

TEST(FileVersionOrder, NormalisedExistingVersion)
{
    EXPECT_STREQ("0000000001.000000002B", normaliseFileVersion("1.2b").CStr());
    EXPECT_STREQ("12345678901.0000000000", normaliseFileVersion("12345678901.").CStr());
}

TEST(FileVersionOrder, Comparisons)
{
    struct Case {
        const char* record;
        const char* existing;
        int sign;
    };
    const Case cases[] = {
        {"1.10", "1.2", 1},    // numbers, not text
        {"1.2", "1.10", -1},
        {"2.0", "2.0", 0},
        {"2.0", "2.0a", -1},   // no letter is lowest
        {"2.0b", "2.0a", 1},
        {"2.0a", "2.0A", 0},   // letters compared without case
        {"2.0", "2.0.1", -1},  // the shorter list is smaller
        {"2.0.1", "2.0", 1},
        {".5", "0.5", 0},      // a leading dot counts as 0
        {"4, 0, 1, 3", "4.0.1.3", 0},
        {"99999999999999999999", "1", 1},
    };
    for (const Case& c : cases) {
        int r = compareFileVersions(c.record, c.existing);
        int sign = r < 0 ? -1 : (r > 0 ? 1 : 0);
        EXPECT_EQ(c.sign, sign) << c.record << " vs " << c.existing;
    }
}
