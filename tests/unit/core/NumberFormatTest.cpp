#include "core/NumberFormat.h"

#include "core/String.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberFormat, FormatByteSize)
{
    struct Case {
        int64_t n;
        const char* expected;
    } cases[] = {
        {0, "0 bytes"},
        {1023, "1023 bytes"},
        {-5, "-5 bytes"},
        {-5000000000LL, "-5000000000 bytes"},
        {1024, "1.00 KB"},
        {1536, "1.50 KB"},
        {1048575, "1024.00 KB"},
        {1048576, "1.00 MB"},
        {5 * 1048576 + 262144, "5.25 MB"},
        {1073741824, "1.00 GB"},
        {int64_t(1) << 40, "1.00 TB"},
        {int64_t(3) << 50, "3072.00 TB"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, FormatByteSize(c.n).CStr()) << c.n;
}

TEST(NumberFormat, OrdinalSuffix)
{
    struct Case {
        int n;
        const char* expected;
    } cases[] = {
        {1, "1st"},     {2, "2nd"},     {3, "3rd"},     {4, "4th"},     {11, "11th"},
        {12, "12th"},   {13, "13th"},   {20, "20th"},   {21, "21st"},   {22, "22nd"},
        {23, "23rd"},   {31, "31st"},   {0, "0th"},     {101, "101st"}, {111, "111th"},
        {112, "112th"}, {113, "113th"}, {1002, "1002nd"}, {-1, "-1st"}, {-11, "-11th"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, OrdinalSuffix(c.n).CStr()) << c.n;
}

TEST(NumberFormat, OrdinalWords)
{
    struct Case {
        int n;
        const char* expected;
    } cases[] = {
        {1, "First"},
        {3, "Third"},
        {9, "Ninth"},
        {10, "Tenth"},
        {11, "Eleventh"},
        {12, "Twelfth"},
        {13, "Thirteenth"},
        {19, "Nineteenth"},
        {20, "Twentieth"},
        {22, "Twenty Second"},
        {31, "Thirty First"},
        {40, "Fortieth"},
        {99, "Ninety Ninth"},
        {0, "Zeroth"},
        {-3, "Negative Third"},
        {100, "One Hundredth"},
        {101, "One Hundred First"},
        {112, "One Hundred Twelfth"},
        {1000, "One Thousandth"},
        {2000000, "Two Millionth"},
        {-2147483647 - 1, "Negative Two Thousand One Hundred Forty Seven Million Four Hundred "
                          "Eighty Three Thousand Six Hundred Forty Eighth"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, OrdinalWords(c.n).CStr()) << c.n;
}

TEST(NumberFormat, NumberWords)
{
    struct Case {
        double x;
        int mode;
        const char* expected;
    } cases[] = {
        {0, kNumberWordsPlain, "Zero"},
        {5, kNumberWordsPlain, "Five"},
        {19, kNumberWordsPlain, "Nineteen"},
        {20, kNumberWordsPlain, "Twenty"},
        {45, kNumberWordsPlain, "Forty Five"},
        {100, kNumberWordsPlain, "One Hundred"},
        {123, kNumberWordsPlain, "One Hundred Twenty Three"},
        {1000001, kNumberWordsPlain, "One Million One"},
        {12345678, kNumberWordsPlain, "Twelve Million Three Hundred Forty Five Thousand Six Hundred Seventy Eight"},
        {-42, kNumberWordsPlain, "Negative Forty Two"},
        {2.05, kNumberWordsPlain, "Two Point Zero Five"},
        {2007, kNumberWordsPlain, "Two Thousand Seven"},
        {1999, kNumberWordsPlain, "One Thousand Nine Hundred Ninety Nine"},
        {1e9, kNumberWordsPlain, "1000000000.000"},
        {2.75, kNumberWordsFractions, "Two and Three Fourths"},
        {0.5, kNumberWordsFractions, "One Half"},
        {0.125, kNumberWordsFractions, "One Eighth"},
        {1.97, kNumberWordsFractions, "Two"},
        {3, kNumberWordsFractions, "Three"},
        {12.5, kNumberWordsCheque, "Twelve and 50/100"},
        {12, kNumberWordsCheque, "Twelve and No/100"},
        {12.999, kNumberWordsCheque, "Thirteen and No/100"},
        {12.125, kNumberWordsChequeMils, "Twelve and 125/1000"},
        {1999, kNumberWordsYear, "Nineteen Ninety Nine"},
        {1905, kNumberWordsYear, "Nineteen Oh Five"},
        {1900, kNumberWordsYear, "Nineteen Hundred"},
        {2000, kNumberWordsYear, "Two Thousand"},
        {2007, kNumberWordsYear, "Two Thousand Seven"},
        {2026, kNumberWordsYear, "Two Thousand Twenty Six"},
        {1066, kNumberWordsYear, "One Thousand Sixty Six"},
        {476, kNumberWordsYear, "Four Hundred Seventy Six"},
        {-44, kNumberWordsYear, "Negative Forty Four"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, NumberWords(c.x, c.mode).CStr()) << c.x << " mode " << c.mode;
}

} // namespace
