#include "ui/portable/LanguageChoice.h"

#include "archive/portable/Language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void fill(Language& table, const std::vector<const char*>& names)
{
    table.reset(static_cast<int>(names.size()), 1);
    for (size_t i = 0; i < names.size(); ++i) {
        String n(names[i]);
        table.setName(static_cast<int>(i), n);
    }
}

} // namespace

TEST(LanguageChoice, FirstWordOfTheLocaleName)
{
    EXPECT_EQ(std::string(userLanguageWord("Deutsch (Deutschland)").CStr()), "Deutsch");
    EXPECT_EQ(std::string(userLanguageWord("English(United States)").CStr()), "English");
    EXPECT_EQ(std::string(userLanguageWord("Norsk bokm\xe5l").CStr()), "Norsk");
    EXPECT_EQ(std::string(userLanguageWord("").CStr()), "");
}

TEST(LanguageChoice, MatchesThePrefixThenEnglishThenTheFirst)
{
    struct Case {
        std::vector<const char*> names;
        const char* word;
        int want;
    };
    const Case cases[] = {
        {{"English", "Deutsch", "Francais"}, "Deutsch", 1},
        {{"English", "deutsch - Schweiz", "Deutsch"}, "DEUTSCH", 1},  // first, letter case ignored
        {{"Francais", "English (UK)", "English"}, "Deutsch", 1},      // first beginning with English
        {{"Francais", "Italiano"}, "Deutsch", 0},
        {{"Francais", "English"}, "", 1},                             // no locale name
        {{"Deut", "English"}, "Deutsch", 1},                          // a shorter name is no match
    };
    for (const Case& c : cases) {
        Language table;
        fill(table, c.names);
        EXPECT_EQ(initialLanguage(table, c.word), c.want) << c.word << " among " << c.names[0];
    }
    Language empty;
    EXPECT_EQ(initialLanguage(empty, "Deutsch"), 0);
}
