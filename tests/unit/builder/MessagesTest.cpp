#include "builder/Messages.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(Messages, EveryNumberHasAnEnglishTextThatFitsItsArguments)
{
    const std::vector<BuiltInMessage>& table = builtInMessages();
    ASSERT_EQ(table.size(), size_t(kMessageNumberCount));
    for (int n = 0; n < kMessageNumberCount; ++n) {
        EXPECT_EQ(table[n].number, n);
        EXPECT_EQ(messageFormatProblem(n, table[n].english), "") << n;
    }
    // The numbers whose texts the installer formats, with what it passes.
    EXPECT_STREQ(table[13].arguments, "d");
    EXPECT_STREQ(table[19].arguments, "scs");
    EXPECT_STREQ(table[26].arguments, "dc");
    EXPECT_STREQ(table[63].english, "");   // no extra licence page unless a project asks
}

TEST(Messages, FormatConversions)
{
    struct Case { const char* text; const char* conversions; };
    const Case cases[] = {{"", ""}, {"100%% done", ""}, {"%-5d and %s", "ds"}, {"%c: %ld", "cd"}, {"end %", "?"}};
    for (const Case& c : cases)
        EXPECT_EQ(formatConversions(c.text), c.conversions) << c.text;
    EXPECT_NE(messageFormatProblem(13, "broken %s"), "");
    EXPECT_NE(messageFormatProblem(0, "%s Setup"), "");   // message 0 gets no argument
}

TEST(Messages, AddedLanguagesFallBackToEnglishWithAWarning)
{
    std::vector<std::string> warnings;
    LanguageTexts de{"Deutsch", {{0, "<product> Installation"}, {13, "Fehler %d"}}, "de.toml"};
    LanguageTexts en{"English", {{42, "All done."}}, "en.toml"};
    auto table = buildLanguageTable({{0, "Hello Setup"}}, {de, en}, warnings);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].name, "English");
    EXPECT_EQ(table[0].messages[0], "Hello Setup");
    EXPECT_EQ(table[0].messages[42], "All done.");
    EXPECT_EQ(table[1].name, "Deutsch");
    EXPECT_EQ(table[1].messages[13], "Fehler %d");
    EXPECT_EQ(table[1].messages[42], "All done.");   // English after its override
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("de.toml"), std::string::npos);
    EXPECT_NE(warnings[0].find("1, 2, 3"), std::string::npos);

    EXPECT_THROW(buildLanguageTable({{72, "x"}}, {}, warnings), std::invalid_argument);
    EXPECT_THROW(buildLanguageTable({}, {de, de}, warnings), std::invalid_argument);
    LanguageTexts bad{"Français", {{16, "Lecteur %s"}}, "fr.toml"};
    EXPECT_THROW(buildLanguageTable({}, {bad}, warnings), std::invalid_argument);
}
