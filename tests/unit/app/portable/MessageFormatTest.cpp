#include "app/portable/MessageFormat.h"

#include <gtest/gtest.h>

TEST(MessageFormat, OnlyTheGivenConversions)
{
    struct Case {
        const char* format;
        const char* kinds;
        bool expected;
    } cases[] = {
        {"Not for %s.", "s", true},
        {"No text at all", "s", true},
        {"100%% sure: %s", "s", true},
        {"Need %s on %c:, %s free", "scs", true},
        {"Need %-10s", "s", true},
        {"%s and %s", "s", false},     // reads an argument never given
        {"%d", "s", false},
        {"%n", "s", false},
        {"%*s", "s", false},
        {"trailing %", "s", false},
        {"%c then %s", "scs", false},  // out of order
        {nullptr, "s", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, formatTakes(c.format, c.kinds)) << (c.format ? c.format : "(null)");
}
