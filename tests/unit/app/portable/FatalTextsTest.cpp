#include "app/portable/FatalTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

} // namespace

TEST(FatalTexts, BuiltInCorruptTextEndsInTheCode)
{
    const std::string text = str(corruptInstallerText(String(), 20));
    EXPECT_EQ(0u, text.find("This installation program is corrupt.  This is usually caused by a faulty download"));
    EXPECT_NE(std::string::npos, text.find("The installation cannot proceed.\r\n\r\nDelete the corrupted"));
    const std::string tail = "check your system for viruses.\r\n\r\nError code: 20";
    EXPECT_EQ(text.size() - tail.size(), text.rfind(tail));
}

TEST(FatalTexts, LanguageTextIsFilledSafely)
{
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"Kaputt (%d).", "Kaputt (47)."},
        {"100%% sure: %d, not %d", "100% sure: 47, not %d"},
        // Conversions other than the code are not formatted from missing arguments.
        {"%s %n %x %d", "%s %n %x 47"},
        {"no code", "no code"},
        {"trailing %", "trailing %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, str(corruptInstallerText(c.format, 47))) << c.format;
}
