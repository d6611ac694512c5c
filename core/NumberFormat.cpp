#include "core/NumberFormat.h"

#include "core/String.h"

#include <cmath>

namespace {

const char* const kOnes[20] = {"Zero",    "One",     "Two",       "Three",    "Four",
                               "Five",    "Six",     "Seven",     "Eight",    "Nine",
                               "Ten",     "Eleven",  "Twelve",    "Thirteen", "Fourteen",
                               "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
const char* const kTens[10] = {"",      "",      "Twenty",  "Thirty", "Forty",
                               "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};
const char* const kTensOrdinals[10] = {"",          "",           "Twentieth", "Thirtieth",
                                       "Fortieth",  "Fiftieth",   "Sixtieth",  "Seventieth",
                                       "Eightieth", "Ninetieth"};
const char* const kOnesOrdinals[10] = {"Zeroth", "First",   "Second", "Third",  "Fourth",
                                       "Fifth",  "Sixth",   "Seventh", "Eighth", "Ninth"};
const char* const kEighths[8] = {"",           "One Eighth",   "One Fourth",
                                 "Three Eighths", "One Half",  "Five Eighths",
                                 "Three Fourths", "Seven Eighths"};

const double kWordsLimit = 1e9;

// 1 <= n <= 999.
void appendBelowThousand(String& out, int n)
{
    if (n >= 100) {
        out.Append(kOnes[n / 100]);
        out.Append(" Hundred");
        n %= 100;
        if (n == 0)
            return;
        out.Append(' ');
    }
    if (n >= 20) {
        out.Append(kTens[n / 10]);
        if (n % 10 != 0) {
            out.Append(' ');
            out.Append(kOnes[n % 10]);
        }
    } else {
        out.Append(kOnes[n]);
    }
}

// n >= 0; beyond a thousand millions the millions are counted in words themselves
// ("Two Thousand One Hundred Forty Seven Million ...").
void appendWhole(String& out, long long n)
{
    if (n == 0) {
        out.Append(kOnes[0]);
        return;
    }
    bool first = true;
    long long millions = n / 1000000;
    if (millions != 0) {
        appendWhole(out, millions);
        out.Append(" Million");
        first = false;
    }
    int thousands = static_cast<int>(n / 1000 % 1000);
    if (thousands != 0) {
        if (!first)
            out.Append(' ');
        appendBelowThousand(out, thousands);
        out.Append(" Thousand");
        first = false;
    }
    int rest = static_cast<int>(n % 1000);
    if (rest != 0) {
        if (!first)
            out.Append(' ');
        appendBelowThousand(out, rest);
    }
}

// 1000 <= year <= 9999: "Nineteen Ninety Nine", "Nineteen Oh Five", "Nineteen Hundred";
// the years of a round thousand's first century as plain numbers ("Two Thousand Seven").
void appendYear(String& out, int year)
{
    int high = year / 100;
    int low = year % 100;
    if (high % 10 == 0) {
        appendWhole(out, year);
        return;
    }
    appendWhole(out, high);
    if (low == 0) {
        out.Append(" Hundred");
    } else if (low < 10) {
        out.Append(" Oh ");
        out.Append(kOnes[low]);
    } else {
        out.Append(' ');
        appendWhole(out, low);
    }
}

// floor(x) for 0 <= x < 2^63, all that is needed here: the C library's floor would bring its
// own code, and on x86_64 two sections of its own, into the engine.
double wholePart(double x)
{
    return static_cast<double>(static_cast<long long>(x));
}

// " Point" and the digits of the fraction 0 < f < 1 (up to six, trailing zeros dropped).
void appendPointDigits(String& out, double f)
{
    long long micro = static_cast<long long>(wholePart(f * 1e6 + 0.5));
    if (micro >= 1000000)
        micro = 999999;
    char digits[7];
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + micro % 10);
        micro /= 10;
    }
    int n = 6;
    while (n > 0 && digits[n - 1] == '0')
        --n;
    if (n == 0)
        return;
    out.Append(" Point");
    for (int i = 0; i < n; ++i) {
        out.Append(' ');
        out.Append(kOnes[digits[i] - '0']);
    }
}

// The whole part and, by mode, the fraction of 0 <= x < kWordsLimit.
void appendNonNegative(String& out, double x, int mode)
{
    double whole = wholePart(x);
    double fraction = x - whole;
    long long n = static_cast<long long>(whole);
    switch (mode) {
    case kNumberWordsYear:
        if (fraction == 0 && n >= 1000 && n <= 9999) {
            appendYear(out, static_cast<int>(n));
            return;
        }
        break;
    case kNumberWordsFractions: {
        int eighths = static_cast<int>(wholePart(fraction * 8 + 0.5));
        if (eighths == 8) {
            ++n;
            eighths = 0;
        }
        if (n != 0 || eighths == 0)
            appendWhole(out, n);
        if (eighths != 0) {
            if (n != 0)
                out.Append(" and ");
            out.Append(kEighths[eighths]);
        }
        return;
    }
    case kNumberWordsCheque:
    case kNumberWordsChequeMils: {
        double scale = mode == kNumberWordsCheque ? 100 : 1000;
        double parts = wholePart(fraction * scale + 0.5);
        if (parts >= scale) {
            ++n;
            parts = 0;
        }
        appendWhole(out, n);
        if (mode == kNumberWordsCheque && parts == 0)
            out.Append(" and No/100");
        else
            out.AppendFormat(mode == kNumberWordsCheque ? " and %.0f/100" : " and %.0f/1000", parts);
        return;
    }
    default:
        break;
    }
    appendWhole(out, n);
    appendPointDigits(out, fraction);
}

// n in decimal; the C runtimes of older Windows do not all know "%lld".
String decimal(int64_t n)
{
    char digits[24];
    int pos = sizeof digits;
    digits[--pos] = 0;
    uint64_t a = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    do {
        digits[--pos] = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a != 0);
    if (n < 0)
        digits[--pos] = '-';
    return String(digits + pos);
}

} // namespace

String FormatByteSize(int64_t n)
{
    String out;
    const double kib = 1.0 / 1024.0;
    if (n < 1024)
        out.Format("%s bytes", decimal(n).CStr());
    else if (n < (int64_t(1) << 20))
        out.Format("%.2f KB", static_cast<double>(n) * kib);
    else if (n < (int64_t(1) << 30))
        out.Format("%.2f MB", static_cast<double>(n) * (kib * kib));
    else if (n < (int64_t(1) << 40))
        out.Format("%.2f GB", static_cast<double>(n) * (kib * kib * kib));
    else
        out.Format("%.2f TB", static_cast<double>(n) * (kib * kib * kib * kib));
    return out;
}

String OrdinalSuffix(int n)
{
    long long a = n < 0 ? -static_cast<long long>(n) : n;
    const char* ending = "th";
    if (a % 100 < 11 || a % 100 > 13) {
        switch (a % 10) {
        case 1: ending = "st"; break;
        case 2: ending = "nd"; break;
        case 3: ending = "rd"; break;
        default: break;
        }
    }
    String out;
    out.Format("%d%s", n, ending);
    return out;
}

String OrdinalWords(int n)
{
    String out;
    long long a = n;
    if (a < 0) {
        out.Append("Negative ");
        a = -a;
    }
    int low = static_cast<int>(a % 100);
    long long high = a - low;
    if (high != 0) {
        appendWhole(out, high);
        if (low == 0) {
            out.Append("th");
            return out;
        }
        out.Append(' ');
    }
    if (low == 12) {
        out.Append("Twelfth");
    } else if (low >= 10 && low < 20) {
        out.Append(kOnes[low]);
        out.Append("th");
    } else if (low >= 20 && low % 10 == 0) {
        out.Append(kTensOrdinals[low / 10]);
    } else {
        if (low >= 20) {
            out.Append(kTens[low / 10]);
            out.Append(' ');
        }
        out.Append(kOnesOrdinals[low % 10]);
    }
    return out;
}

String NumberWords(double x, int mode)
{
    String out;
    if (std::isnan(x) || std::fabs(x) >= kWordsLimit) {
        out.Format("%.3f", x);
        return out;
    }
    if (x < 0) {
        out.Append("Negative ");
        x = -x;
    }
    appendNonNegative(out, x, mode);
    return out;
}
