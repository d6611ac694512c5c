#include "core/String.h"

#include "core/OutOfMemory.h"
#include "core/Stream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

std::string bytes(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

int sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

} // namespace

// ---------------------------------------------------------------- storage

TEST(StringStorage, NewStringHasNoBuffer)
{
    String s;
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_STREQ("", s.CStr());
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(0, s.Capacity());
    EXPECT_EQ(0, s.Compare(""));
    EXPECT_EQ(0, s.Compare(nullptr));
    EXPECT_EQ(-1, s.Compare("a"));
}

TEST(StringStorage, CapacityGrowsByReserveAndShrinksOnlyFarBelow)
{
    String s;
    s.SetLength(10);
    EXPECT_EQ(31, s.Capacity());
    s.SetLength(600);
    EXPECT_EQ(621, s.Capacity());
    s.SetLength(300); // within 512 of the capacity: kept in place
    EXPECT_EQ(621, s.Capacity());
    EXPECT_EQ(300, s.Length());
    EXPECT_EQ(0, s.CStr()[300]);
    s.SetLength(600);
    s.SetLength(100);
    EXPECT_EQ(121, s.Capacity());
    s.SetLength(0);
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_EQ(0, s.Capacity());
}

TEST(StringStorage, AppendAndFormat)
{
    String s("abc");
    EXPECT_TRUE(s.Append('d'));
    EXPECT_TRUE(s.Append("ef"));
    EXPECT_FALSE(s.Append(""));
    EXPECT_STREQ("abcdef", s.CStr());
    s.AppendFormat("-%d-%s", 42, "x");
    EXPECT_STREQ("abcdef-42-x", s.CStr());
    s.Format("%05d", 7);
    EXPECT_STREQ("00007", s.CStr());
    EXPECT_EQ(5, s.Length());
}

TEST(StringStorage, FormatWorkAreaHoldsAtMost65535Bytes)
{
    std::string big(70000, 'x');
    String s;
    s.Format("%s", big.c_str());
    EXPECT_EQ(65535, s.Length());
    s.Format("%s", std::string(65535, 'y').c_str());
    EXPECT_EQ(65535, s.Length());
    s.AppendFormat("%s", "z");
    EXPECT_EQ(65536, s.Length());
    EXPECT_EQ('z', s.Last());
}

TEST(StringStorage, FailedExpansionAppendsTheFormatItself)
{
    // A wide character the C locale cannot convert makes the expansion fail.
    String s("a:");
    s.AppendFormat("%ls!", L"\x100");
    EXPECT_STREQ("a:%ls!", s.CStr());
}

TEST(StringStorage, AssignFromOwnBufferAndEmbeddedNul)
{
    String s("hello world");
    s.Assign(s.CStr() + 6, kNoLimit);
    EXPECT_STREQ("world", s.CStr());
    String t("a\0b", 3);
    EXPECT_EQ(3, t.Length());
    EXPECT_TRUE(t.NotEquals(String("a")));
    EXPECT_TRUE(t.Equals(String("a\0b", 3)));
}

// ---------------------------------------------------------------- comparing

TEST(StringCompare, Table)
{
    struct Case {
        const char* s;
        const char* text;
        bool caseSensitive;
        int max;
        int expected; // sign
    } cases[] = {
        {"abc", "ABC", true, kNoLimit, 1},
        {"abc", "ABC", false, kNoLimit, 0},
        {"ab", "abc", true, kNoLimit, -1},
        {"ab", "abc", false, kNoLimit, -1},
        {"abc", "ab", false, kNoLimit, 1},
        {"abc", "abd", true, 2, 0},
        {"abc", "abc", true, 0, -1},
        {"abc", "", true, kNoLimit, 1},
        {"\xE9", "a", true, kNoLimit, 1}, // unsigned bytes
        {"[", "a", false, kNoLimit, 1},   // folding to upper case: '[' > 'A'
    };
    for (const Case& c : cases) {
        String s(c.s);
        EXPECT_EQ(c.expected, sign(s.Compare(c.text, c.caseSensitive, c.max)))
            << c.s << " vs " << c.text;
    }
    EXPECT_TRUE(String("x").Equals("x"));
    EXPECT_TRUE(String("x").Differs("X"));
}

TEST(StringCompare, PrefixAndSuffix)
{
    String s("C:\\Program Files\\App");
    EXPECT_TRUE(s.StartsWith("C:\\Pro"));
    EXPECT_FALSE(s.StartsWith("c:\\pro")); // exact
    EXPECT_FALSE(s.StartsWith(""));
    EXPECT_FALSE(String("ab").StartsWith("abc"));
    EXPECT_TRUE(s.StartsWith("C:\\Xyz", 3));

    EXPECT_FALSE(s.StripPrefix(""));
    EXPECT_TRUE(s.StripPrefix("c:\\program files\\"));
    EXPECT_STREQ("App", s.CStr());
    EXPECT_FALSE(s.StripPrefix("Apps"));
    EXPECT_TRUE(s.StripSuffix("")); // empty text succeeds, removes nothing
    EXPECT_FALSE(s.StripSuffix("pp", 0));
    EXPECT_TRUE(s.StripSuffix("XXPP", 2)); // the last 2 bytes of the text
    EXPECT_STREQ("A", s.CStr());
    EXPECT_FALSE(s.StripSuffix("bA"));
}

// ---------------------------------------------------------------- finding

TEST(StringFind, Table)
{
    struct Case {
        const char* hay;
        const char* needle;
        int start;
        int flags;
        int expected;
    } cases[] = {
        {"abcabc", "bc", 0, 0, 1},
        {"abcabc", "bc", 2, 0, 4},
        {"abcabc", "BC", 0, 0, -1},
        {"abcabc", "BC", 0, kFindIgnoreCase, 1},
        {"abcabc", "bc", -5, 0, 1},
        {"abcabc", "bc", 5, 0, -1},
        {"abc", "abcd", 0, 0, -1},
        {"abc", "", 0, 0, -1},
        {"xabcx", "a?c", 0, kFindWildcard, 1},
        {"xABCx", "a?c", 0, kFindWildcard | kFindIgnoreCase, 1},
        {"a?c", "a??", 0, kFindWildcard, 0},
        {"subdir", "dir", 0, kFindWholeWord, -1},
        {"my dir x", "dir", 0, kFindWholeWord, 3},
        {"dir", "dir", 0, kFindWholeWord, 0},
        {"dirs dir", "dir", 0, kFindWholeWord, 5},
        {"a_dir dir_ dir", "dir", 0, kFindWholeWord, 11},
        {"\"key\" key", "key", 0, kFindSkipQuoted, 6},
        {"\"key key", "key", 0, kFindSkipQuoted, -1}, // unclosed quote hides the rest
        {"abcabc", "bc", kNoLimit, kFindBackwards, 4},
        {"abcabc", "bc", 4, kFindBackwards, 1},
        {"abcabc", "bc", 0, kFindBackwards, -1},
        {"key \"key\"", "key", kNoLimit, kFindBackwards | kFindSkipQuoted, 0},
        {"\"a\" a \"a\"", "a", kNoLimit, kFindBackwards | kFindSkipQuoted, 4},
        {"a \"a a\"", "a", 6, kFindBackwards | kFindSkipQuoted, 0}, // starts inside quotes
        {"abcabc", "bc", 0, kFindBehindMatch, 3},
        {"abc;d,e", ",;", 0, kFindCharSet, 3},
        {"abcXd", "x", 0, kFindCharSet | kFindIgnoreCase, 3},
        {"abc;d,e", ",;", kNoLimit, kFindCharSet | kFindBackwards, 5},
        {"abc;d,e", ",;", 0, kFindCharSet | kFindBehindMatch, 4},
    };
    for (const Case& c : cases) {
        String s(c.hay);
        EXPECT_EQ(c.expected, s.Find(c.needle, c.start, c.flags))
            << c.hay << " / " << c.needle << " flags " << c.flags;
    }
    EXPECT_EQ(-1, String().Find("a"));
    EXPECT_EQ(-1, String("a").Find(nullptr));
    EXPECT_EQ(2, String("a\0b", 3).Find("b\0", 0, 0, 1)); // explicit needle length, NUL inside
    EXPECT_EQ(1, String("a\0b", 3).Find("\0b", 0, 0, 2));
}

TEST(StringFind, SingleBytesAndSets)
{
    String s("a\"x\"bxB");
    EXPECT_EQ(2, s.FindChar('x'));
    EXPECT_EQ(5, s.FindChar('x', 0, kFindSkipQuoted));
    EXPECT_EQ(4, s.FindChar('B', 0, kFindIgnoreCase));
    EXPECT_EQ(-1, s.FindChar('q'));
    EXPECT_EQ(5, s.FindCharReverse('x'));
    EXPECT_EQ(2, s.FindCharReverse('x', 4));
    EXPECT_EQ(6, s.FindCharReverse('b', kNoLimit, kFindIgnoreCase));
    EXPECT_EQ(-1, s.FindCharReverse('x', 4, kFindSkipQuoted));
    EXPECT_EQ(-1, s.FindCharReverse('a', -1));

    String t("key = value\t1");
    EXPECT_EQ(3, t.FindAnyOf("= "));
    EXPECT_EQ(5, t.FindAnyOf("= ", 5));
    EXPECT_EQ(-1, t.FindAnyOf(""));
    EXPECT_EQ(-1, t.FindAnyOf(nullptr));
    EXPECT_EQ(-1, t.FindAnyOf("k", 99));
    EXPECT_EQ(3, t.FindWhitespace());
    EXPECT_EQ(3, t.FindNotOf("yek"));
    EXPECT_EQ(-1, String("aaa").FindNotOf("a"));
    EXPECT_EQ(12, t.FindNumberStart());
    EXPECT_EQ(3, String("abc-1").FindNumberStart());
    EXPECT_EQ(-1, String("abc").FindNumberStart());
}

TEST(StringFind, LineEnds)
{
    struct Case {
        const char* text;
        int pos;
        int flags;
        int expected;
    } cases[] = {
        {"ab\r\ncd", 0, 0, 4},
        {"ab\n\rcd", 0, 0, 4},
        {"ab\rcd", 0, 0, 3},
        {"ab\ncd", 0, 0, 3},
        {"ab\r\ncd", 0, kLineEndAtBreak, 2},
        {"ab\r\ncd", 4, 0, -1},
        {"ab\r\ncd", 4, kLineEndOrLength, 6},
        {"a\"\n\"b\nc", 0, kFindSkipQuoted, 6},
        {"a\"\nb", 0, kFindSkipQuoted, -1},
        {"a\"\nb", 0, kFindSkipQuoted | kLineEndOrLength, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, String(c.text).FindLineEnd(c.pos, c.flags)) << c.text;
}

// ---------------------------------------------------------------- replacing

TEST(StringReplace, CountsFlagsAndResults)
{
    struct Case {
        const char* text;
        const char* needle;
        const char* replacement;
        int flags, start, max, skip;
        int expectedResult;
        const char* expectedText;
    } cases[] = {
        {"%installdir%\\a;%INSTALLDIR%\\b", "%InstallDir%", "C:\\Prog", kFindIgnoreCase, 0,
         kNoLimit, 0, 2, "C:\\Prog\\a;C:\\Prog\\b"},
        {"%installdir%\\a;%INSTALLDIR%\\b", "%InstallDir%", "C:\\Prog",
         kFindIgnoreCase | kFindFirstOnly, 0, kNoLimit, 0, 0, "C:\\Prog\\a;%INSTALLDIR%\\b"},
        {"aaa", "a", "aa", 0, 0, kNoLimit, 0, 3, "aaaaaa"},
        {"aaaa", "aa", "a", 0, 0, kNoLimit, 0, 2, "aa"},
        {"abab", "ab", "xy", 0, 0, kNoLimit, 0, 2, "xyxy"},      // in place
        {"a.b.c.d", ".", "", 0, 0, kNoLimit, 0, 3, "abcd"},
        {"a.b.c.d", ".", nullptr, 0, 0, 2, 0, 2, "abc.d"},
        {"a.b.c.d", ".", "--", 0, 0, kNoLimit, 1, 3, "a.b--c--d"},  // skipped ones count
        {"a.b.c.d", ".", "--", 0, 0, 1, 1, 2, "a.b--c.d"},
        {"a.b", ".", "-", 0, 0, kNoLimit, 5, 1, "a.b"},             // fewer than skip
        {"a.b.c", ".", "-", 0, 2, kNoLimit, 0, 1, "a.b-c"},         // from start
        {"x.y", ".", "-", kFindFirstOnly, 2, kNoLimit, 0, -1, "x.y"},
        {"a.b.c", ".", "-", kFindFirstOnly, 0, kNoLimit, 1, 3, "a.b-c"},
        {"abc", "", "x", 0, 0, kNoLimit, 0, 0, "abc"},
        {"abc", "", "x", kFindFirstOnly, 0, kNoLimit, 0, -1, "abc"},
        {"abc", "b", "x", kFindFirstOnly, 0, 0, 0, -1, "abc"},
        {"dir subdir dir", "dir", "D", kFindWholeWord, 0, kNoLimit, 0, 2, "D subdir D"},
        {"-- a-", "-", "x", kFindWholeWord, 0, kNoLimit, 0, 2, "xx a-"}, // judged on the text as given
        {"\"%a%\" %a%", "%a%", "1", kFindSkipQuoted, 0, kNoLimit, 0, 1, "\"%a%\" 1"},
        {"a;b,c", ";,", "--", kFindCharSet, 0, kNoLimit, 0, 2, "a--b--c"},
        {"abcd", "b", "x", kFindBackwards | kFindBehindMatch, 0, kNoLimit, 0, 1, "axcd"},
        // wildcard replacement: the k-th '?' takes the byte of the k-th needle '?'
        {"v1.2 v3.4", "v?.?", "?_?", kFindWildcard, 0, kNoLimit, 0, 2, "1_2 3_4"},
        {"x1y", "x?y", "??", kFindWildcard, 0, kNoLimit, 0, 1, "1?"},
        {"x1y2", "?1?2", "2??1", kFindWildcard, 0, kNoLimit, 0, 1, "2xy1"},  // same length
        {"a?c abc", "a?c", "#", 0, 0, kNoLimit, 0, 1, "# abc"},            // '?' literal
    };
    for (const Case& c : cases) {
        String s(c.text);
        EXPECT_EQ(c.expectedResult,
                  s.Replace(c.needle, c.replacement, c.flags, c.start, c.max, c.skip))
            << c.text << " / " << c.needle;
        EXPECT_STREQ(c.expectedText, s.CStr()) << c.text << " / " << c.needle;
    }
}

TEST(StringReplace, LargeGrowthKeepsTail)
{
    String s;
    for (int i = 0; i < 1000; ++i)
        s.Append("<p>;");
    EXPECT_EQ(1000, s.Replace("<p>", "C:\\Program Files\\Product"));
    EXPECT_EQ(1000 * 25, s.Length());
    EXPECT_EQ(-1, s.Find("<p>"));
    EXPECT_TRUE(s.StripSuffix("Product;"));
}

TEST(StringReplace, CharsAndRemovals)
{
    String s("a/b/C/c");
    EXPECT_EQ(2, s.ReplaceChar('c', '\\', false));
    EXPECT_STREQ("a/b/\\/\\", s.CStr());
    EXPECT_EQ(3, s.ReplaceChar('/', '\\'));

    String t("one, two, three");
    EXPECT_EQ(2, t.RemoveAll(", "));
    EXPECT_STREQ("onetwothree", t.CStr());
    String u("xAbxabxAB");
    EXPECT_EQ(2, u.RemoveAll("ab", 2, false));
    EXPECT_STREQ("xxxAB", u.CStr());
    EXPECT_EQ(0, u.RemoveAll(""));

    String v("1,234,567");
    EXPECT_EQ(1, v.RemoveChar(',', 2));
    EXPECT_STREQ("1,234567", v.CStr());
    EXPECT_EQ(1, v.RemoveChar(',', -3, 5));
    EXPECT_EQ(0, v.RemoveChar(',', 0, 0));
    EXPECT_STREQ("1234567", v.CStr());
}

TEST(StringReplace, RemoveCharsAndTrims)
{
    struct Case {
        const char* text;
        const char* set;
        int start;
        int flags;
        int expectedCount;
        const char* expectedText;
    } cases[] = {
        {"a-b-c", "-", 0, 0, 2, "abc"},
        {"a-b-c", "-", 2, 0, 1, "a-bc"},
        {"a-b-c", "-", 0, kFindFirstOnly, 1, "ab-c"},
        {"a-b-c", "-", kNoLimit, kFindBackwards | kFindFirstOnly, 1, "a-bc"},
        {"a1b2c3", "0123456789", 0, kRemoveNotInSet, 3, "123"},
        {"aAbB", "a", 0, kFindIgnoreCase, 2, "bB"},
        {"--x--", "-", 0, kRemoveStopAtKept, 2, "x--"},
        {"--x--", "-", kNoLimit, kFindBackwards | kRemoveStopAtKept, 2, "--x"},
        {"a \"b c\" d", " ", 0, kFindSkipQuoted, 2, "a\"b c\"d"},
        {"a \"b c\" d", " ", kNoLimit, kFindBackwards | kFindSkipQuoted, 2, "a\"b c\"d"},
        {"a \"b c d", " ", 0, kFindSkipQuoted, 1, "a\"b c d"},
        {"abc", nullptr, 0, 0, 0, "abc"},
        {"abc", "b", 9, 0, 0, "abc"},
    };
    for (const Case& c : cases) {
        String s(c.text);
        EXPECT_EQ(c.expectedCount, s.RemoveChars(c.set, c.start, c.flags)) << c.text;
        EXPECT_STREQ(c.expectedText, s.CStr()) << c.text;
    }

    String t(" \t\r\nvalue \r\n");
    EXPECT_EQ(7, t.Trim());
    EXPECT_STREQ("value", t.CStr());
    String all("  \t ");
    EXPECT_EQ(4, all.TrimLeft());
    EXPECT_EQ(nullptr, all.Data());
    String path("C:\\dir\\\\");
    EXPECT_EQ(2, path.TrimTrailing('\\'));
    EXPECT_EQ(0, path.TrimRight("\\"));
    EXPECT_EQ(2, path.TrimLeft("C:"));
    EXPECT_STREQ("\\dir", path.CStr());
    String up("abz{`AZ\xE9");
    up.ToUpper();
    EXPECT_STREQ("ABZ{`AZ\xE9", up.CStr());
}

TEST(StringReplace, NormaliseLineBreaks)
{
    struct Case {
        const char* text;
        int changes;
        const char* expected;
    } cases[] = {
        {"a\nb\rc\n\rd\r\ne", 3, "a\r\nb\r\nc\r\nd\r\ne"},
        {"\n", 1, "\r\n"},
        {"\r", 1, "\r\n"},
        {"x\r\n", 0, "x\r\n"},
        {"\n\n", 2, "\r\n\r\n"},
        {"\r\r\n", 1, "\r\n\r\n"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        String s(c.text);
        EXPECT_EQ(c.changes, s.NormaliseLineBreaks()) << c.text;
        EXPECT_STREQ(c.expected, s.CStr());
    }
}

// ---------------------------------------------------------------- numbers

TEST(StringNumbers, ParseIntAt)
{
    struct Case {
        const char* text;
        int pos;
        int expected;
        int expectedPos;
    } cases[] = {
        {"12,-34", 0, 12, 2},
        {"12,-34", 3, -34, 6},
        {"+7x", 0, 7, 2},
        {"x", 0, 0, 0},
        {"-", 0, 0, 1},
        {"12", 2, INT_MIN, 2},
        {"12", -1, INT_MIN, -1},
    };
    for (const Case& c : cases) {
        int pos = c.pos;
        EXPECT_EQ(c.expected, String(c.text).ParseIntAt(pos)) << c.text;
        EXPECT_EQ(c.expectedPos, pos) << c.text;
    }
}

TEST(StringNumbers, FirstNumber)
{
    struct Case {
        const char* text;
        long long expected;
    } cases[] = {
        {"Size: 1,234,567 bytes", 1234567},
        {"abc -42", -42},
        {"x+5", 5},
        {"v.5", 0},
        {"none", 0},
        {"", 0},
        {"12 34", 12},
        {"free 12,345,678,901 KB", 12345678901LL},
        // Beyond 64 bits the nearest limit, as the C library's conversion gives.
        {"99999999999999999999", LLONG_MAX},
        {"-9223372036854775808", LLONG_MIN},
        {"-9,223,372,036,854,775,809", LLONG_MIN},
        {"+9223372036854775807x", LLONG_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, String(c.text).FirstNumber64()) << c.text;
    EXPECT_EQ(-42, String("abc -42").FirstNumber());
    EXPECT_EQ(INT_MAX, String("12,345,678,901").FirstNumber());
}

TEST(StringNumbers, FromIntegerAndDouble)
{
    EXPECT_STREQ("0", String::FromInteger(0).CStr());
    EXPECT_STREQ("-123", String::FromInteger(-123).CStr());
    EXPECT_STREQ("9223372036854775807", String::FromInteger(LLONG_MAX).CStr());
    EXPECT_STREQ("-9223372036854775808", String::FromInteger(LLONG_MIN).CStr());

    struct Case {
        double x;
        int decimals;
        const char* expected;
    } cases[] = {
        {2.5, 2, "2.50"}, {2.5, 0, "2"}, {2.5, -1, "2.5"}, {3.0, -1, "3"},
        {100.0, -1, "100"}, {-0.125, -1, "-0.125"}, {1.0 / 3, -1, "0.333333"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, String::FromDouble(c.x, c.decimals).CStr()) << c.x;
}

TEST(StringNumbers, Rounding)
{
    EXPECT_EQ(7, RoundUpToMultiple(7, 1));
    EXPECT_EQ(8, RoundUpToMultiple(8, 4));
    EXPECT_EQ(12, RoundUpToMultiple(9, 4));
    EXPECT_EQ(-4, RoundUpToMultiple(-5, 4));
    EXPECT_EQ(3, RoundHalfAway(2.5));
    EXPECT_EQ(2, RoundHalfAway(2.49));
    EXPECT_EQ(-3, RoundHalfAway(-2.5));
    EXPECT_EQ(-2, RoundHalfAway(-2.49));
}

TEST(StringNumbers, CompareVersions)
{
    struct Case {
        const char* a;
        const char* b;
        int expected; // exact where it is defined, else the sign
        bool exact;
    } cases[] = {
        {"1.10", "1.9", 1, true},
        {"2.0", "2.0a", -1, false},
        {"2.0b", "2.0a", 1, true},
        {"3", "3.0", -1, true},
        {"3.0", "3", 1, true},
        {"4.0.1", "4.0.1", 0, true},
        {".5", "0.5", 0, true},
        {"v2 build 7", "2.7d", 0, true},
        {"2a.1", "2.1a", 0, true},
        {"", "", 0, true},
        {nullptr, "1", -1, true},
        {"99999999999999", "1", 1, false},
    };
    for (const Case& c : cases) {
        int r = CompareVersions(c.a, c.b);
        EXPECT_EQ(c.expected, c.exact ? r : sign(r))
            << (c.a ? c.a : "(null)") << " vs " << c.b;
    }
    EXPECT_EQ(-8, CompareVersions("1.2", "1.10"));
}

// ---------------------------------------------------------------- binary blocks

TEST(StringBlocks, Checksum)
{
    struct Case {
        const char* data;
        int length;
        uint32_t expected;
    } cases[] = {
        {"", 0, 0x79E2BC9Du},
        {"\xFF", 1, 0x79E2BC9Du},                          // -1 + length 1
        {"\x01\x00\x00\x00", 4, 0x79E2BC9Du + 1 + 4},
        {"\x00\x00\x00\x80\x7F", 5, 0x79E2BC9Du + 0x80000000u + 0x7F + 5},
        {"\xFF\xFF\xFF\xFF\xFF\xFE", 6, 0x79E2BC9Du + 0xFFFFFFFFu - 1 - 2 + 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, String(c.data, c.length).Checksum()) << c.length;
    EXPECT_EQ(0x79E2BC9Du, String().Checksum());
}

TEST(StringBlocks, XorWithKeyTouchesTailWithLowKeyBytes)
{
    String s("\0\0\0\0\0\0\0", 7);
    s.XorWithKey(0x44332211u);
    EXPECT_EQ(std::string("\x11\x22\x33\x44\x11\x22\x33", 7), bytes(s));
    String t("\0\0\0\0\0", 5);
    t.XorWithKey(0xAABBCCDDu);
    EXPECT_EQ(std::string("\xDD\xCC\xBB\xAA\xDD", 5), bytes(t));
    t.XorWithKey(0xAABBCCDDu);
    EXPECT_EQ(std::string(5, '\0'), bytes(t));
}

TEST(StringBlocks, WordAccessors)
{
    String s("\x01\x02\x03\x04\x05", 5);
    EXPECT_EQ(0x04030201u, s.ReadU32At(0));
    EXPECT_EQ(0x05040302u, s.ReadU32At(1));
    EXPECT_EQ(0xFFFFFFFFu, s.ReadU32At(2));
    EXPECT_EQ(0xFFFFFFFFu, s.ReadU32At(-1));
    EXPECT_TRUE(s.WriteU16At(3, 0xBEEF));
    EXPECT_FALSE(s.WriteU16At(4, 1));
    EXPECT_TRUE(s.WriteU32At(1, 0x11223344u));
    EXPECT_FALSE(s.WriteU32At(2, 1));
    EXPECT_EQ(std::string("\x01\x44\x33\x22\x11", 5), bytes(s));
    EXPECT_EQ('\x44', *s.ByteAt(1));
}

TEST(StringBlocksDeathTest, ByteAtOutsideIsAnInternalError)
{
    String s("ab");
    EXPECT_EXIT(s.ByteAt(2), testing::ExitedWithCode(3),
                "Internal Fatal Error\r\nModule: Core\r\nLine: [0-9]+");
}

// ---------------------------------------------------------------- edits

TEST(StringEdit, InsertAndDelete)
{
    String s("ace");
    EXPECT_TRUE(s.Insert(1, "bXX", 1));
    EXPECT_TRUE(s.Insert(3, String("d")));
    EXPECT_FALSE(s.Insert(9, "z"));
    EXPECT_FALSE(s.Insert(0, "z", 0));
    EXPECT_STREQ("abcde", s.CStr());
    EXPECT_TRUE(s.InsertChars('-', 5, 2));
    EXPECT_TRUE(s.InsertChars(' ', 0, 1));
    EXPECT_FALSE(s.InsertChars('x', 0, 0));
    EXPECT_STREQ(" abcde--", s.CStr());
    EXPECT_EQ(3, s.Prepend(">> "));
    EXPECT_EQ(0, s.Prepend(""));
    EXPECT_TRUE(s.PrependCharOnce('#'));
    EXPECT_FALSE(s.PrependCharOnce('#'));
    EXPECT_STREQ("#>>  abcde--", s.CStr());

    s.Delete(1, 4);
    EXPECT_STREQ("#abcde--", s.CStr());
    s.Delete(6, 99);
    s.Delete(-1, 1);
    s.Delete(99, 1);
    EXPECT_STREQ("#abcde", s.CStr());
    EXPECT_EQ(1, s.DropFirst(1));
    EXPECT_EQ(0, s.DropLast(0));
    EXPECT_EQ(2, s.DropLast(2));
    EXPECT_STREQ("abc", s.CStr());
    EXPECT_EQ(3, s.DropFirst(10));
    EXPECT_EQ(nullptr, s.Data());
}

TEST(StringEdit, EndsQuotesAndSingleBytes)
{
    String s("/-x/");
    EXPECT_TRUE(s.RemoveFirstIfAnyOf("/-"));
    EXPECT_TRUE(s.RemoveFirstIfAnyOf("/-"));
    EXPECT_FALSE(s.RemoveFirstIfAnyOf("/-"));
    EXPECT_FALSE(s.RemoveFirstIf('/'));
    EXPECT_TRUE(s.RemoveLastIf('/'));
    EXPECT_STREQ("x", s.CStr());
    EXPECT_EQ('x', s.PopFirst());
    EXPECT_EQ(0, s.PopFirst());
    EXPECT_EQ(0, s.First());
    EXPECT_EQ(0, s.Last());
    EXPECT_FALSE(s.IsFirst(0));
    EXPECT_FALSE(s.Contains(0));

    String q("\"");
    EXPECT_FALSE(q.Unquote()); // one byte is not a quoted text
    q = "C:\\My Dir";
    EXPECT_TRUE(q.Quote());
    EXPECT_STREQ("\"C:\\My Dir\"", q.CStr());
    EXPECT_TRUE(q.Unquote('"'));
    EXPECT_FALSE(q.Unquote('"'));
    EXPECT_EQ('C', q.First());
    EXPECT_EQ('r', q.Last());
    EXPECT_EQ(':', q.CharAt(1));
    EXPECT_EQ(0, q.CharAt(-1));
    EXPECT_EQ(0, q.CharAt(9));
    EXPECT_TRUE(q.IsLast('r'));
    EXPECT_TRUE(q.Contains(' '));
    EXPECT_TRUE(String("a\0b", 3).Contains(0));

    String lines;
    EXPECT_FALSE(lines.EndsWithLineBreak());
    EXPECT_TRUE(lines.EnsureTrailingLineBreak());
    EXPECT_STREQ("\r\n", lines.CStr());
    lines = "a\n";
    EXPECT_FALSE(lines.EnsureTrailingLineBreak());
    lines = "a\r";
    EXPECT_TRUE(lines.EndsWithLineBreak());
    lines = "a";
    EXPECT_TRUE(lines.EnsureTrailingLineBreak());
    EXPECT_STREQ("a\r\n", lines.CStr());

    String a("ab");
    EXPECT_STREQ("abc", (a + 'c').CStr());
    EXPECT_STREQ("abcd", (a + "cd").CStr());
    EXPECT_STREQ("abab", (a + a).CStr());
    EXPECT_STREQ("xab", ("x" + a).CStr());
    EXPECT_STREQ("ab", a.CStr());
}

// ---------------------------------------------------------------- pieces

TEST(StringPieces, MidCutAndCutFrom)
{
    String s("Hello World");
    String out("old");
    EXPECT_TRUE(s.Mid(out, 6, kNoLimit));
    EXPECT_STREQ("World", out.CStr());
    EXPECT_TRUE(s.Mid(out, -3, 2));
    EXPECT_STREQ("He", out.CStr());
    EXPECT_FALSE(s.Mid(out, 11, 1));
    EXPECT_EQ(nullptr, out.Data());
    EXPECT_FALSE(s.Mid(out, 0, 0));

    s.Cut(out, 0, 6);
    EXPECT_STREQ("Hello ", out.CStr());
    EXPECT_STREQ("World", s.CStr());

    String cmd("setup.exe /D:c:\\x");
    cmd.CutFrom(out, " /d", kFindIgnoreCase);
    EXPECT_STREQ(" /D:c:\\x", out.CStr());
    EXPECT_STREQ("setup.exe", cmd.CStr());
    cmd.CutFrom(out, "/q");
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_STREQ("setup.exe", cmd.CStr());
}

TEST(StringPieces, TakeUntilAndTakeLine)
{
    String s("key=value=more");
    String out;
    s.TakeUntil(out, '=');
    EXPECT_STREQ("key", out.CStr());
    EXPECT_STREQ("value=more", s.CStr());
    s.TakeUntil(out, ';');
    EXPECT_STREQ("value=more", out.CStr());
    EXPECT_TRUE(s.IsEmpty());

    String text("one\r\ntwo\n\rthree\rfour\nfive");
    const char* expected[] = {"one", "two", "three", "four", "five"};
    for (const char* line : expected) {
        text.TakeLine(out);
        EXPECT_STREQ(line, out.CStr());
    }
    EXPECT_TRUE(text.IsEmpty());
    String blank("\r\n\r\nx");
    blank.TakeLine(out);
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_STREQ("\r\nx", blank.CStr());
    String nul("ab\0cd", 5);
    nul.TakeLine(out);
    EXPECT_STREQ("ab", out.CStr());
    EXPECT_STREQ("cd", nul.CStr());
}

TEST(StringPieces, NextToken)
{
    struct Case {
        const char* source;
        const char* token;
        const char* rest;
    } cases[] = {
        {"  /a /d:x", "/a", "/d:x"},
        {"/d:\"C:\\Program Files\\App\" /a", "/d:\"C:\\Program Files\\App\"", "/a"},
        {"\"say \"\"hi\"\"\" next", "\"say \"hi\"\"", "next"},
        {"last", "last", ""},
        {"\t\r\n", "", ""},
        {"\"open quote", "\"open quote", ""},
        {"a\tb", "a", "b"},
    };
    for (const Case& c : cases) {
        String source(c.source);
        String token = String::NextToken(source);
        EXPECT_STREQ(c.token, token.CStr()) << c.source;
        EXPECT_STREQ(c.rest, source.CStr()) << c.source;
    }
}

TEST(StringPieces, ExtractQuoted)
{
    struct Case {
        const char* text;
        char quote;
        int pos;
        const char* extracted;
        const char* rest;
    } cases[] = {
        {"/n:\"My Product\" /a", '"', 3, "My Product", "/n: /a"},
        {"'it''s' x", '\'', 0, "it's", " x"},
        {"\"unclosed", '"', 0, "unclosed", ""},
        {"\"\"", '"', 0, "", ""},
        {"abc", '"', 0, "", "abc"},
        {"abc", '"', 5, "", "abc"},
    };
    for (const Case& c : cases) {
        String s(c.text);
        EXPECT_STREQ(c.extracted, s.ExtractQuoted(c.quote, c.pos).CStr()) << c.text;
        EXPECT_STREQ(c.rest, s.CStr()) << c.text;
    }
}

// ---------------------------------------------------------------- streams

namespace {

// A stream over a std::string, failing reads beyond its end and writes after a limit.
class TestStream : public Stream {
public:
    explicit TestStream(std::string data = std::string(), size_t writeLimit = 1 << 20)
        : data_(data), writeLimit_(writeLimit)
    {
    }
    bool Read(void* buffer, int count) override
    {
        if (count < 0 || pos_ + static_cast<size_t>(count) > data_.size())
            return false;
        std::memcpy(buffer, data_.data() + pos_, static_cast<size_t>(count));
        pos_ += static_cast<size_t>(count);
        return true;
    }
    bool Write(const void* buffer, int count) override
    {
        if (written_.size() + static_cast<size_t>(count) > writeLimit_)
            return false;
        written_.append(static_cast<const char*>(buffer), static_cast<size_t>(count));
        return true;
    }
    std::string data_;
    std::string written_;
    size_t pos_ = 0;
    size_t writeLimit_;
};

} // namespace

TEST(StringStream, LengthPrefixedReads)
{
    TestStream in(std::string("\x03" "abc" "\x00" "\x02\x00" "xy" "\x01\x00\x00\x00" "z"
                              "name\0" "\x00",
                              21));
    String out("old");
    EXPECT_TRUE(ReadByteString(in, out));
    EXPECT_STREQ("abc", out.CStr());
    EXPECT_TRUE(ReadByteString(in, out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_TRUE(ReadWordString(in, out));
    EXPECT_STREQ("xy", out.CStr());
    EXPECT_TRUE(ReadLongString(in, out));
    EXPECT_STREQ("z", out.CStr());
    EXPECT_TRUE(ReadZString(in, out));
    EXPECT_STREQ("name", out.CStr());
    EXPECT_TRUE(ReadZString(in, out));
    EXPECT_TRUE(out.IsEmpty());
}

TEST(StringStream, FailedReads)
{
    String out("keep");
    TestStream empty;
    EXPECT_FALSE(ReadByteString(empty, out)); // length missing: out unchanged
    EXPECT_FALSE(ReadWordString(empty, out));
    EXPECT_FALSE(ReadLongString(empty, out));
    EXPECT_STREQ("keep", out.CStr());

    TestStream negative(std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_FALSE(ReadLongString(negative, out));
    EXPECT_STREQ("keep", out.CStr());

    TestStream shortBytes(std::string("\x05" "ab", 3));
    EXPECT_FALSE(ReadByteString(shortBytes, out)); // bytes missing: out cleared
    EXPECT_TRUE(out.IsEmpty());

    out = "keep";
    TestStream unterminated(std::string("abc", 3));
    EXPECT_FALSE(ReadZString(unterminated, out));
    EXPECT_TRUE(out.IsEmpty());

    String data("head");
    TestStream three(std::string("xyz", 3));
    EXPECT_FALSE(ReadBytes(three, data, 4));
    EXPECT_STREQ("head", data.CStr());
    EXPECT_TRUE(ReadBytes(three, data, 3));
    EXPECT_STREQ("headxyz", data.CStr());
    EXPECT_TRUE(ReadBytes(three, data, 0));
}

TEST(StringStream, Writes)
{
    TestStream out;
    EXPECT_TRUE(WriteByteString(out, String(std::string(300, 'q').c_str())));
    EXPECT_EQ(256u, out.written_.size());
    EXPECT_EQ('\xFF', out.written_[0]);
    out.written_.clear();
    EXPECT_TRUE(WriteByteString(out, String("abcdef"), 2));
    EXPECT_TRUE(WriteByteString(out, String("ab"), 256)); // max beyond the text
    EXPECT_TRUE(WriteByteString(out, String()));
    EXPECT_TRUE(WriteText(out, String("t\0u", 3)));
    EXPECT_EQ(std::string("\x02" "ab" "\x02" "ab" "\x00" "t\0u", 10), out.written_);

    TestStream full(std::string(), 3);
    EXPECT_FALSE(WriteByteString(full, String("abc")));
    EXPECT_FALSE(WriteText(full, String("abcd")));
}

// ---------------------------------------------------------------- out of memory

TEST(OutOfMemory, ReportTextAndStackLayout)
{
    uint32_t words[kOutOfMemoryStackWords];
    for (int i = 0; i < kOutOfMemoryStackWords; ++i)
        words[i] = 0xA0000000u + static_cast<uint32_t>(i);
    String text;
    buildOutOfMemoryText(text, 1234, words, kOutOfMemoryStackWords);

    std::string expected = "Out Of Memory.  Make sure your hard drive is not full.\n"
                           "Requested size = 1234 (0x000004D2)\n\nStack contents:";
    char word[16];
    for (int i = 0; i < kOutOfMemoryStackWords; ++i) {
        std::snprintf(word, sizeof word, "%c%08X", i % 8 == 0 ? '\r' : ' ', 0xA0000000u + i);
        expected += word;
    }
    EXPECT_EQ(expected, bytes(text));
    EXPECT_EQ(80, kOutOfMemoryStackWords);
}

TEST(OutOfMemoryDeathTest, HandlerReportsSizeAndMarkerWords)
{
    EXPECT_EXIT(outOfMemory(0x10000), testing::ExitedWithCode(3),
                "Out Of Memory\\.  Make sure your hard drive is not full\\.\n"
                "Requested size = 65536 \\(0x00010000\\)\n\nStack contents:\r"
                "11223344 55667788 [0-9A-F]{8}");
}

TEST(StringStorage, ReserveEnsureLengthAndDetach)
{
    String s("ab");
    EXPECT_EQ(nullptr, s.Reserve(-1));
    char* extra = s.Reserve(2);
    ASSERT_NE(nullptr, extra);
    extra[0] = 'c';
    extra[1] = 'd';
    EXPECT_STREQ("abcd", s.CStr());
    EXPECT_FALSE(s.EnsureLength(10)); // within the capacity of 23: length raised in place
    EXPECT_EQ(10, s.Length());
    EXPECT_EQ(0, s.CStr()[10]);
    EXPECT_TRUE(s.EnsureLength(25));
    EXPECT_EQ(46, s.Capacity());
    char* block = s.Detach();
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_EQ(0, s.Length());
    releaseMemory(block);
}
