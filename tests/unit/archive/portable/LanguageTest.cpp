#include "archive/portable/Language.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

void put(Language& table, int number, int language, const char* text)
{
    String s(text);
    ASSERT_TRUE(table.setText(number, language, s));
}

void name(Language& table, int language, const char* text)
{
    String s(text);
    ASSERT_TRUE(table.setName(language, s));
}

} // namespace

TEST(Language, EmptyTableGivesEmptyTexts)
{
    Language table;
    EXPECT_EQ("", str(table.message(0)));
    EXPECT_EQ("", str(table.name(0)));
    String s("x");
    EXPECT_FALSE(table.setText(0, 0, s));
    EXPECT_EQ("x", str(s));
    table.reset(0, 5);
    EXPECT_EQ(0, table.messageCount());
    EXPECT_EQ("", str(table.message(0)));
}

TEST(Language, LookupByNumberAndCurrentLanguage)
{
    Language table;
    table.reset(2, 200);
    put(table, 0, 0, "Titel");
    put(table, 0, 1, "Title");
    put(table, 199, 1, "last");

    EXPECT_EQ("Titel", str(table.message(0)));
    table.setIndex(1);
    EXPECT_EQ("Title", str(table.message(0)));
    EXPECT_EQ("last", str(table.message(199)));
    EXPECT_EQ("", str(table.message(5)));       // present but empty
    EXPECT_EQ("", str(table.message(200)));
    EXPECT_EQ("", str(table.message(10000)));
    EXPECT_EQ("", str(table.message(-1)));
    table.setIndex(2);
    EXPECT_EQ("", str(table.message(0)));       // index beyond the row
    table.setIndex(-1);
    EXPECT_EQ("", str(table.message(0)));
}

TEST(Language, EnglishIndexIsTheLastExactMatch)
{
    struct Case {
        const char* names[3];
        int expected;
    } cases[] = {
        {{"Deutsch", "English", "Fran\xE7" "ais"}, 1},
        {{"Deutsch", "english", "Fran\xE7" "ais"}, 0},
        {{"English", "Deutsch", "English"}, 2},
        {{"Deutsch", "English ", "ENGLISH"}, 0},
    };
    for (const Case& c : cases) {
        Language table;
        table.reset(3, 1);
        for (int i = 0; i < 3; ++i)
            name(table, i, c.names[i]);
        EXPECT_EQ(c.expected, table.englishIndex()) << c.names[0] << "," << c.names[1];
    }
}

TEST(Language, PlaceholdersAreReplacedIgnoringCase)
{
    String product("App");
    String windows("C:\\WINDOWS");
    Language table;
    table.bindPlaceholders(&product, &windows);
    table.reset(1, 3);
    put(table, 0, 0, "Install <PrOdUcT> into <OS>\\App, <product>!");
    put(table, 1, 0, "<prod <os <product");  // incomplete placeholders stay
    put(table, 2, 0, "<product><os>");

    EXPECT_EQ("Install App into C:\\WINDOWS\\App, App!", str(table.message(0)));
    EXPECT_EQ("<prod <os <product", str(table.message(1)));
    EXPECT_EQ("AppC:\\WINDOWS", str(table.message(2)));
}

TEST(Language, ProductNameIsFixedAtFirstLookup)
{
    String product("First");
    Language table;
    table.bindPlaceholders(&product, nullptr);
    table.reset(2, 2);
    put(table, 0, 0, "<product> setup");
    put(table, 0, 1, "<product> Setup");
    put(table, 1, 0, "Welcome to <product>");

    EXPECT_EQ("First setup", str(table.message(0)));
    product = "Second";
    EXPECT_EQ("First setup", str(table.message(0)));
    EXPECT_EQ("Welcome to Second", str(table.message(1)));  // not looked up before
    table.setIndex(1);
    EXPECT_EQ("Second Setup", str(table.message(0)));       // each language on its own

    // A text stored anew is expanded anew.
    table.setIndex(0);
    put(table, 0, 0, "<product>!");
    EXPECT_EQ("Second!", str(table.message(0)));
}

TEST(Language, ReplacementIsNotExpandedAgain)
{
    // A product name that itself holds placeholders is inserted as it is, once, however
    // often the message is looked up.
    String product("<os> <Product>");
    String windows("W");
    Language table;
    table.bindPlaceholders(&product, &windows);
    table.reset(1, 1);
    put(table, 0, 0, "[<product>]");
    EXPECT_EQ("[<os> <Product>]", str(table.message(0)));
    EXPECT_EQ("[<os> <Product>]", str(table.message(0)));
}

TEST(Language, UnboundPlaceholdersBecomeEmpty)
{
    Language table;
    table.reset(1, 1);
    put(table, 0, 0, "a<product>b<os>c");
    EXPECT_EQ("abc", str(table.message(0)));
}

TEST(Language, TextsMayHoldNulBytes)
{
    String product("P");
    Language table;
    table.bindPlaceholders(&product, nullptr);
    table.reset(1, 1);
    String s("a\0<product>", 11);
    ASSERT_TRUE(table.setText(0, 0, s));
    EXPECT_EQ(std::string("a\0P", 3), str(table.message(0)));
}

TEST(Language, ProcessTableBacksMessage)
{
    Language& table = languageTable();
    table.reset(1, 14);
    put(table, 13, 0, "Corrupt: %d");
    EXPECT_EQ("Corrupt: %d", str(message(13)));
    EXPECT_EQ("", str(message(14)));
    table.clear();
    EXPECT_EQ("", str(message(13)));
}
