// String: numbers, version texts, the block checksum and XOR scrambling.
#include "core/String.h"

#include "core/StringBytes.h"

#include <climits>
#include <cstdlib>

using namespace stringbytes;

namespace {

constexpr uint32_t kChecksumSeed = 0x79E2BC9Du;

// Reads the number list of a version text one element at a time.
class VersionReader {
public:
    explicit VersionReader(const char* text) : p_(text ? text : ""), any_(false) {}

    // The next number of the list; false at the end. Digit runs saturate at INT_MAX.
    bool Next(int& value)
    {
        for (; *p_; ++p_) {
            unsigned char c = static_cast<unsigned char>(*p_);
            if (isDigit(c)) {
                long long v = 0;
                for (; isDigit(static_cast<unsigned char>(*p_)); ++p_)
                    if (v < INT_MAX)
                        v = v * 10 + (*p_ - '0');
                value = v < INT_MAX ? static_cast<int>(v) : INT_MAX;
                any_ = true;
                return true;
            }
            if (c == '.' && !any_) {
                ++p_;
                value = 0;
                any_ = true;
                return true;
            }
        }
        return false;
    }

private:
    const char* p_;
    bool any_;
};

// The last letter of text, 0 when it has none.
signed char suffixLetter(const char* text)
{
    signed char letter = 0;
    for (; text && *text; ++text)
        if (isLetter(static_cast<unsigned char>(*text)))
            letter = static_cast<signed char>(*text);
    return letter;
}

} // namespace

// ---------------------------------------------------------------- reading numbers

namespace {

// The C library's decimal conversion of a text (what strtoll does with base 10, written here
// to keep the library's number parsing out of the engine): leading whitespace, an optional
// sign, then digits up to the first other byte; out of range, the nearest 64-bit limit.
long long decimalPrefix(const char* p)
{
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    const unsigned long long limit = negative ? 0x8000000000000000ull : 0x7fffffffffffffffull;
    unsigned long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        unsigned d = static_cast<unsigned>(*p - '0');
        v = v > (limit - d) / 10 ? limit : v * 10 + d;
    }
    return static_cast<long long>(negative ? 0ull - v : v);
}

} // namespace

int String::ParseIntAt(int& pos) const
{
    if (pos < 0 || pos >= length_)
        return INT_MIN;
    bool negative = false;
    if (data_[pos] == '+' || data_[pos] == '-') {
        negative = data_[pos] == '-';
        ++pos;
    }
    uint32_t value = 0; // wraps like a 32-bit register on overlong digit runs
    for (; pos < length_ && isDigit(static_cast<unsigned char>(data_[pos])); ++pos)
        value = value * 10u + static_cast<uint32_t>(data_[pos] - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

long long String::FirstNumber64() const
{
    int start = FindNumberStart(0);
    if (start < 0)
        return 0;
    String rest(data_ + start, length_ - start);
    rest.RemoveChar(',');
    return decimalPrefix(rest.CStr());
}

int String::FirstNumber() const
{
    long long v = FirstNumber64();
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

// ---------------------------------------------------------------- writing numbers

String String::FromInteger(long long n)
{
    char digits[24];
    int at = sizeof digits;
    unsigned long long magnitude = n < 0 ? 0ull - static_cast<unsigned long long>(n)
                                         : static_cast<unsigned long long>(n);
    do {
        digits[--at] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (n < 0)
        digits[--at] = '-';
    return String(digits + at, static_cast<int>(sizeof digits) - at);
}

String String::FromDouble(double x, int decimals)
{
    String text;
    if (decimals >= 0) {
        text.Format("%.*f", decimals, x);
        return text;
    }
    text.Format("%.6f", x);
    if (text.Contains('.')) {
        text.TrimTrailing('0');
        text.RemoveLastIf('.');
    }
    return text;
}

// ---------------------------------------------------------------- binary blocks

uint32_t String::Checksum() const
{
    uint32_t sum = kChecksumSeed;
    if (!data_ || length_ < 1)
        return sum;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data_);
    int words = length_ / 4;
    for (int i = 0; i < words; ++i, p += 4)
        sum += static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
               static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    for (int i = words * 4; i < length_; ++i, ++p)
        sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*p)));
    return sum + static_cast<uint32_t>(length_);
}

void String::XorWithKey(uint32_t key)
{
    for (int i = 0; i < length_; ++i)
        data_[i] = static_cast<char>(static_cast<unsigned char>(data_[i]) ^
                                     static_cast<unsigned char>(key >> (8 * (i % 4))));
}

// ---------------------------------------------------------------- free functions

int CompareVersions(const char* a, const char* b)
{
    VersionReader ra(a), rb(b);
    for (;;) {
        int va = 0, vb = 0;
        bool hasA = ra.Next(va);
        bool hasB = rb.Next(vb);
        if (hasA && hasB) {
            if (va != vb)
                return va - vb; // both in 0..INT_MAX: no overflow
            continue;
        }
        if (!hasA && !hasB)
            return suffixLetter(a) - suffixLetter(b);
        return hasA ? 1 : -1;
    }
}

int RoundUpToMultiple(int v, int n)
{
    if (n < 2)
        return v;
    long long r = v % n;
    if (r == 0)
        return v;
    long long up = r > 0 ? static_cast<long long>(v) + (n - r) : static_cast<long long>(v) - r;
    return up > INT_MAX ? INT_MAX : static_cast<int>(up);
}

long long RoundHalfAway(double x)
{
    double r = x < 0 ? x - 0.5 : x + 0.5;
    if (!(r == r))
        return 0; // NaN
    if (r >= 9223372036854775807.0)
        return LLONG_MAX;
    if (r <= -9223372036854775808.0)
        return LLONG_MIN;
    return static_cast<long long>(r);
}
