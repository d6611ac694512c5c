// The engine's own printf-style expansion, compared with the C library's over tables of
// formats and values.
#include "core/String.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// What the C library makes of format and args.
template <typename... Args>
std::string cLibrary(const char* format, Args... args)
{
    int n = std::snprintf(nullptr, 0, format, args...);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, args...);
    text.resize(static_cast<size_t>(n));
    return text;
}

template <typename... Args>
std::string ours(const char* format, Args... args)
{
    String s;
    s.Format(format, args...);
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

template <typename T, size_t F, size_t V>
void expectLikeCLibrary(const char* const (&formats)[F], const T (&values)[V])
{
    for (const char* f : formats) {
        for (T v : values)
            EXPECT_EQ(cLibrary(f, v), ours(f, v)) << "format " << f << " value " << v;
    }
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(FormatExpansion, SignedIntegersLikeTheCLibrary)
{
    const char* const formats[] = {"%d", "%i", "%5d|", "%-5d|", "%05d", "%+d", "% d", "%+05d", "%.3d",
                                   "%8.3d", "%-8.3d|", "%.0d|", "%08.3d", "%-05d|", "% 06d", "%+ d"};
    const int values[] = {0, 1, -1, 42, -42, 123456, INT_MAX, INT_MIN};
    expectLikeCLibrary(formats, values);
}

TEST(FormatExpansion, UnsignedIntegersLikeTheCLibrary)
{
    const char* const formats[] = {"%u",  "%x",   "%X",    "%#x",  "%#X",   "%o",    "%#o",
                                   "%#.0o|", "%.0x|", "%08X", "%#010x", "%-#8x|", "%#.5o", "%10.4u"};
    const unsigned values[] = {0u, 1u, 8u, 255u, 0xDEADBEEFu, UINT_MAX};
    expectLikeCLibrary(formats, values);
}

TEST(FormatExpansion, LengthLetters)
{
    EXPECT_EQ(cLibrary("%ld %lu", LONG_MIN, ULONG_MAX), ours("%ld %lu", LONG_MIN, ULONG_MAX));
    EXPECT_EQ(cLibrary("%lld %llx", LLONG_MIN, ULLONG_MAX), ours("%lld %llx", LLONG_MIN, ULLONG_MAX));
    EXPECT_EQ(cLibrary("%hd %hu %hhd %hhu", 70000, 70000, 300, 300), ours("%hd %hu %hhd %hhu", 70000, 70000, 300, 300));
    EXPECT_EQ(cLibrary("%zu %zd %td %jd", SIZE_MAX, static_cast<ptrdiff_t>(-5), static_cast<ptrdiff_t>(-6), INTMAX_MIN),
              ours("%zu %zd %td %jd", SIZE_MAX, static_cast<ptrdiff_t>(-5), static_cast<ptrdiff_t>(-6), INTMAX_MIN));
    // The Windows run-time's own lengths, which the C library here does not know.
    EXPECT_EQ(cLibrary("%lld", LLONG_MIN), ours("%I64d", LLONG_MIN));
    EXPECT_EQ(cLibrary("%llX", ULLONG_MAX), ours("%I64X", ULLONG_MAX));
    EXPECT_EQ(cLibrary("%d", -7), ours("%I32d", -7));
    EXPECT_EQ(cLibrary("%zu", SIZE_MAX), ours("%Iu", SIZE_MAX));
}

TEST(FormatExpansion, TextsCharactersAndStars)
{
    const char* const formats[] = {"%s", "%10s|", "%-10s|", "%.2s|", "%10.2s|", "%-10.0s|", "[%3s]"};
    const char* const values[] = {"", "a", "hello", "exactly10!", "longer than ten"};
    expectLikeCLibrary(formats, values);

    const char* const charFormats[] = {"%c", "%3c|", "%-3c|"};
    const int chars[] = {'x', '%', 0xE9};
    expectLikeCLibrary(charFormats, chars);

    EXPECT_EQ(cLibrary("100%% %%d %c", 0), ours("100%% %%d %c", 0)); // a NUL byte is kept
    EXPECT_EQ(cLibrary("%*d|%-*d|%*d|", 5, 42, 5, 42, -5, 42), ours("%*d|%-*d|%*d|", 5, 42, 5, 42, -5, 42));
    EXPECT_EQ(cLibrary("%*.*s|%.*s|", 6, 2, "abc", -1, "abc"), ours("%*.*s|%.*s|", 6, 2, "abc", -1, "abc"));
    EXPECT_EQ(cLibrary("%.*f|%.*f", 2, 3.14159, -1, 1.5), ours("%.*f|%.*f", 2, 3.14159, -1, 1.5));
    EXPECT_EQ("(null)", ours("%s", static_cast<const char*>(nullptr)));
}

TEST(FormatExpansion, RealsLikeTheCLibrary)
{
    const char* const formats[] = {
        "%f",   "%.0f", "%.1f",  "%.2f",   "%.3f",   "%.10f",   "%10.2f|", "%-10.2f|", "%010.2f", "%+.2f",
        "% .2f", "%#.0f", "%F",  "%e",     "%.0e",   "%.3e",    "%E",      "%#.0e",    "%012.3e", "%g",
        "%.0g", "%.3g", "%.10g", "%G",     "%12.4g|", "%-12.4g|", "%.17g",   "%+g",
        "%lf",
    };
    const double values[] = {0.0,    -0.0,   0.5,     1.5,       2.5,      -2.5,     0.125,       0.05,
                             0.15,   1.005,  9.995,   99.5,      999999.5, 1e-5,     0.0001,      123456789.0,
                             1e21,   1e100,  1.0 / 3, -1234.5678, 0.9999999, 9.9999999e-5, 1.7976931348623157e308,
                             4.9e-324, 2.2250738585072014e-308, kInf, -kInf, kNan};
    expectLikeCLibrary(formats, values);

    // '#' keeps the zeros of %g. The C library here drops digits when rounding carries into a
    // new one ("1.e+06"); the standard asks for precision significant digits.
    const char* const altFormats[] = {"%#g", "%#.3g", "%#.0g"};
    const double altValues[] = {0.0, 1.0, 0.5, 123456.0, 1e-5, 2.5e10, -0.001};
    expectLikeCLibrary(altFormats, altValues);
    EXPECT_EQ("1.00000e+06", ours("%#g", 999999.5));
    EXPECT_EQ("10.0", ours("%#.3g", 9.9999));
}

TEST(FormatExpansion, RealsAreExactToTheLastDigit)
{
    EXPECT_EQ(cLibrary("%.60f", 0.1), ours("%.60f", 0.1));
    EXPECT_EQ(cLibrary("%.40e", 1.0 / 3), ours("%.40e", 1.0 / 3));
    EXPECT_EQ(cLibrary("%.1074f", 4.9e-324), ours("%.1074f", 4.9e-324));
    EXPECT_EQ(cLibrary("%.0f", 1.7976931348623157e308), ours("%.0f", 1.7976931348623157e308));

    // Random doubles of every magnitude, in each style.
    std::mt19937_64 random(20261210);
    const char* const formats[] = {"%.3f", "%.12e", "%.15g", "%g"};
    for (int i = 0; i < 400; ++i) {
        uint64_t bits = random();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        if (std::isnan(x))
            continue;
        for (const char* f : formats)
            ASSERT_EQ(cLibrary(f, x), ours(f, x)) << "format " << f << " bits " << bits;
    }
}

TEST(FormatExpansion, UnsupportedConversionsLeaveTheFormatUnexpanded)
{
    // %n would write through an argument, %p and wide texts are not used; the partial
    // expansion before them is taken back.
    const char* const formats[] = {"x%dy%n", "x%dy%p", "x%dy%ls", "x%dy%lc", "x%dy%Lf", "x%dy%q", "x%dy%"};
    for (const char* f : formats) {
        String s("a:");
        int unused = 0;
        s.AppendFormat(f, 5, &unused);
        EXPECT_EQ(std::string("a:") + f, s.CStr()) << f;
        EXPECT_EQ(0, unused) << f;
    }
}

TEST(FormatExpansion, HugeWidthsAreCutAtTheLimit)
{
    String s;
    s.Format("%100000d", 7);
    EXPECT_EQ(65535, s.Length());
    s.Format("%.100000f", 1.5);
    EXPECT_EQ(65535, s.Length());
    EXPECT_EQ(std::string("1.5000"), std::string(s.CStr(), 6));
}
