// printf-style expansion: integers, characters, texts and exactly rounded reals.
#include "core/FormatExpansion.h"

#include "core/String.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Largest width or precision taken from a format; more could only overflow the counts.
constexpr int kMaxField = 1 << 20;

// Collects the expansion in a small buffer and appends it to the string in pieces, so that
// the string grows a few times rather than once per byte.
class Output {
public:
    Output(String& out, int maxBytes) : out_(out), left_(maxBytes) {}

    void put(char c)
    {
        if (left_ <= 0)
            return;
        if (used_ == static_cast<int>(sizeof chunk_))
            flush();
        chunk_[used_++] = c;
        --left_;
    }
    void repeat(char c, int n)
    {
        for (; n > 0 && left_ > 0; --n)
            put(c);
    }
    void bytes(const char* p, int n)
    {
        for (int i = 0; i < n && left_ > 0; ++i)
            put(p[i]);
    }
    void flush()
    {
        out_.Append(chunk_, used_);
        used_ = 0;
    }

private:
    String& out_;
    int left_;
    int used_ = 0;
    char chunk_[256];
};

enum Length { kDefault, kChar, kShort, kLong, kLongLong, kIntMax, kSize, kPtrdiff };

struct Spec {
    bool left = false;  // '-'
    bool plus = false;  // '+'
    bool space = false; // ' '
    bool alt = false;   // '#'
    bool zero = false;  // '0'
    int width = 0;
    int precision = -1; // none
    Length length = kDefault;
    char conversion = 0;
};

void padBefore(Output& o, const Spec& s, int length)
{
    if (!s.left)
        o.repeat(s.zero ? '0' : ' ', s.width - length);
}

void padAfter(Output& o, const Spec& s, int length)
{
    if (s.left)
        o.repeat(' ', s.width - length);
}

// prefix (sign, "0x"), zeros, then body, padded to the width with spaces.
void field(Output& o, const Spec& s, const char* prefix, int zeros, const char* body, int bodyLength)
{
    int prefixLength = static_cast<int>(std::strlen(prefix));
    int length = prefixLength + zeros + bodyLength;
    if (!s.left)
        o.repeat(' ', s.width - length);
    o.bytes(prefix, prefixLength);
    o.repeat('0', zeros);
    o.bytes(body, bodyLength);
    padAfter(o, s, length);
}

// ---------------------------------------------------------------- integers

long long readSigned(va_list* ap, Length length)
{
    switch (length) {
    case kChar: return static_cast<signed char>(va_arg(*ap, int));
    case kShort: return static_cast<short>(va_arg(*ap, int));
    case kLong: return va_arg(*ap, long);
    case kLongLong: return va_arg(*ap, long long);
    case kIntMax: return va_arg(*ap, intmax_t);
    case kSize:
    case kPtrdiff: return va_arg(*ap, ptrdiff_t);
    default: return va_arg(*ap, int);
    }
}

unsigned long long readUnsigned(va_list* ap, Length length)
{
    switch (length) {
    case kChar: return static_cast<unsigned char>(va_arg(*ap, unsigned));
    case kShort: return static_cast<unsigned short>(va_arg(*ap, unsigned));
    case kLong: return va_arg(*ap, unsigned long);
    case kLongLong: return va_arg(*ap, unsigned long long);
    case kIntMax: return va_arg(*ap, uintmax_t);
    case kSize:
    case kPtrdiff: return va_arg(*ap, size_t);
    default: return va_arg(*ap, unsigned);
    }
}

void integer(Output& o, const Spec& s, va_list* ap)
{
    char c = s.conversion;
    bool isSigned = c == 'd' || c == 'i';
    unsigned long long magnitude;
    const char* prefix = "";
    if (isSigned) {
        long long v = readSigned(ap, s.length);
        magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        prefix = v < 0 ? "-" : s.plus ? "+" : s.space ? " " : "";
    } else {
        magnitude = readUnsigned(ap, s.length);
    }
    unsigned base = c == 'o' ? 8 : (c == 'x' || c == 'X') ? 16 : 10;
    const char* digitSet = c == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[24];
    int at = sizeof digits;
    for (unsigned long long v = magnitude; v; v /= base)
        digits[--at] = digitSet[v % base];
    if (magnitude == 0 && s.precision != 0)
        digits[--at] = '0';
    int count = static_cast<int>(sizeof digits) - at;

    if (s.alt && base == 16 && magnitude != 0)
        prefix = c == 'X' ? "0X" : "0x";
    int zeros = s.precision > count ? s.precision - count : 0;
    if (s.alt && base == 8 && zeros == 0 && (count == 0 || digits[at] != '0'))
        zeros = 1; // '#' octal: the first digit is a 0
    if (s.zero && !s.left && s.precision < 0) {
        int fill = s.width - static_cast<int>(std::strlen(prefix)) - count;
        if (fill > zeros)
            zeros = fill;
    }
    field(o, s, prefix, zeros, digits + at, count);
}

// ---------------------------------------------------------------- reals

// The exact decimal digits of a double: value = 0.d[0]d[1]...d[n-1] x 10^point, with no
// leading or trailing zeros (n = 0 for zero).
class Decimal {
public:
    explicit Decimal(double x);

    int point() const { return point_; }
    int count() const { return n_; }
    // Digit k ('0' outside the digits).
    char at(int k) const { return k >= 0 && k < n_ ? digits_[k] : '0'; }
    // Rounds to the first k digits, half to even (k may be negative or past the end).
    void roundTo(int k);

private:
    void trim()
    {
        while (n_ > 0 && digits_[n_ - 1] == '0')
            --n_;
    }

    // A double is m x 2^e with m < 2^53 and -1074 <= e <= 971: at most 767 decimal digits
    // (m x 5^1074) or 309 (m x 2^971), in 9-digit limbs.
    static constexpr int kLimbs = 90;
    char digits_[kLimbs * 9];
    int n_ = 0;
    int point_ = 1;
};

// Multiplies the limbs (base 10^9, least significant first) by factor < 2^32 / 4.
void multiply(uint32_t* limbs, int& count, uint32_t factor)
{
    uint64_t carry = 0;
    for (int i = 0; i < count; ++i) {
        uint64_t v = static_cast<uint64_t>(limbs[i]) * factor + carry;
        limbs[i] = static_cast<uint32_t>(v % 1000000000u);
        carry = v / 1000000000u;
    }
    while (carry) {
        limbs[count++] = static_cast<uint32_t>(carry % 1000000000u);
        carry /= 1000000000u;
    }
}

Decimal::Decimal(double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    uint64_t m = bits & ((1ull << 52) - 1);
    int biased = static_cast<int>((bits >> 52) & 0x7ff);
    int e = biased == 0 ? -1074 : biased - 1075;
    if (biased != 0)
        m |= 1ull << 52;
    if (m == 0)
        return; // zero

    uint32_t limbs[kLimbs];
    int count = 0;
    for (; m; m /= 1000000000u)
        limbs[count++] = static_cast<uint32_t>(m % 1000000000u);
    // m x 2^e, or m x 5^-e / 10^-e when e is negative.
    int shift = 0;
    for (; e >= 28; e -= 28)
        multiply(limbs, count, 1u << 28);
    if (e > 0)
        multiply(limbs, count, 1u << e);
    for (; e <= -13; e += 13, shift += 13)
        multiply(limbs, count, 1220703125u); // 5^13
    for (; e < 0; ++e, ++shift)
        multiply(limbs, count, 5);

    char top[10];
    int topLength = 0;
    for (uint32_t v = limbs[count - 1]; v; v /= 10)
        top[topLength++] = static_cast<char>('0' + v % 10);
    while (topLength > 0)
        digits_[n_++] = top[--topLength];
    for (int i = count - 2; i >= 0; --i) {
        uint32_t v = limbs[i];
        for (int k = 8; k >= 0; --k, v /= 10)
            digits_[n_ + k] = static_cast<char>('0' + v % 10);
        n_ += 9;
    }
    point_ = n_ - shift;
    trim();
}

void Decimal::roundTo(int k)
{
    if (k >= n_)
        return;
    if (k < 0) {
        n_ = 0;
        return;
    }
    bool up = digits_[k] > '5' || (digits_[k] == '5' && (k + 1 < n_ || (k > 0 && (digits_[k - 1] - '0') % 2)));
    n_ = k;
    if (up) {
        int i = k - 1;
        for (; i >= 0 && digits_[i] == '9'; --i)
            digits_[i] = '0';
        if (i >= 0) {
            ++digits_[i];
        } else { // all nines, or nothing kept: the value becomes the next power of ten
            digits_[0] = '1';
            n_ = 1;
            ++point_;
        }
    }
    trim();
}

bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

// "inf" / "nan" (upper case for F, E, G); the '0' flag does not apply.
void notFinite(Output& o, Spec s, const char* sign, bool nan)
{
    const char* word = isUpper(s.conversion) ? (nan ? "NAN" : "INF") : (nan ? "nan" : "inf");
    s.zero = false;
    field(o, s, sign, 0, word, 3);
}

// Digits first..first+count-1 of d, and the fraction part after a '.' when asked for.
void fixed(Output& o, const Spec& s, const char* sign, const Decimal& d, int fraction, bool dot)
{
    int whole = d.point() > 0 ? d.point() : 1;
    int length = static_cast<int>(std::strlen(sign)) + whole + (dot ? 1 : 0) + fraction;
    if (!s.zero)
        padBefore(o, s, length);
    o.bytes(sign, static_cast<int>(std::strlen(sign)));
    if (s.zero)
        padBefore(o, s, length);
    int first = d.point() > 0 ? 0 : d.point() - 1;
    for (int k = first; k < first + whole; ++k)
        o.put(d.at(k));
    if (dot)
        o.put('.');
    for (int k = 0; k < fraction; ++k)
        o.put(d.at(d.point() + k));
    padAfter(o, s, length);
}

void scientific(Output& o, const Spec& s, const char* sign, const Decimal& d, int fraction, bool dot)
{
    int exponent = d.count() == 0 ? 0 : d.point() - 1;
    char tail[8];
    int t = 0;
    tail[t++] = isUpper(s.conversion) ? 'E' : 'e';
    tail[t++] = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100)
        tail[t++] = static_cast<char>('0' + magnitude / 100);
    tail[t++] = static_cast<char>('0' + magnitude / 10 % 10);
    tail[t++] = static_cast<char>('0' + magnitude % 10);

    int length = static_cast<int>(std::strlen(sign)) + 1 + (dot ? 1 : 0) + fraction + t;
    if (!s.zero)
        padBefore(o, s, length);
    o.bytes(sign, static_cast<int>(std::strlen(sign)));
    if (s.zero)
        padBefore(o, s, length);
    o.put(d.at(0));
    if (dot)
        o.put('.');
    for (int k = 1; k <= fraction; ++k)
        o.put(d.at(k));
    o.bytes(tail, t);
    padAfter(o, s, length);
}

void real(Output& o, Spec s, double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const char* sign = bits >> 63 ? "-" : s.plus ? "+" : s.space ? " " : "";
    if (s.left)
        s.zero = false;
    if (((bits >> 52) & 0x7ff) == 0x7ff) {
        notFinite(o, s, sign, (bits & ((1ull << 52) - 1)) != 0);
        return;
    }
    int precision = s.precision < 0 ? 6 : s.precision;
    Decimal d(x);
    char c = s.conversion;
    if (c == 'f' || c == 'F') {
        d.roundTo(d.point() + precision);
        fixed(o, s, sign, d, precision, precision > 0 || s.alt);
    } else if (c == 'e' || c == 'E') {
        d.roundTo(precision + 1);
        scientific(o, s, sign, d, precision, precision > 0 || s.alt);
    } else { // g, G: precision significant digits, in the shorter style
        if (precision == 0)
            precision = 1;
        d.roundTo(precision);
        int exponent = d.count() == 0 ? 0 : d.point() - 1;
        bool useFixed = exponent < precision && exponent >= -4;
        int fraction = useFixed ? precision - 1 - exponent : precision - 1;
        if (!s.alt) { // trailing zeros dropped
            int significant = useFixed ? d.count() - d.point() : d.count() - 1;
            if (significant < 0)
                significant = 0;
            if (fraction > significant)
                fraction = significant;
        }
        bool dot = fraction > 0 || s.alt;
        if (useFixed)
            fixed(o, s, sign, d, fraction, dot);
        else
            scientific(o, s, sign, d, fraction, dot);
    }
}

// ---------------------------------------------------------------- the format

int readNumber(const char*& p)
{
    int v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (v < kMaxField)
            v = v * 10 + (*p - '0');
    }
    return v;
}

int clampField(int v)
{
    return v > kMaxField ? kMaxField : v;
}

// Reads flags, width, precision and length after a '%'; p ends on the conversion letter.
Spec readSpec(const char*& p, va_list* ap)
{
    Spec s;
    for (;; ++p) {
        if (*p == '-') s.left = true;
        else if (*p == '+') s.plus = true;
        else if (*p == ' ') s.space = true;
        else if (*p == '#') s.alt = true;
        else if (*p == '0') s.zero = true;
        else break;
    }
    if (*p == '*') {
        ++p;
        int w = va_arg(*ap, int);
        if (w < 0) {
            s.left = true;
            w = w == INT32_MIN ? kMaxField : -w;
        }
        s.width = clampField(w);
    } else {
        s.width = readNumber(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            ++p;
            int v = va_arg(*ap, int);
            s.precision = v < 0 ? -1 : clampField(v);
        } else {
            s.precision = readNumber(p);
        }
    }
    switch (*p) {
    case 'h':
        s.length = p[1] == 'h' ? kChar : kShort;
        p += s.length == kChar ? 2 : 1;
        break;
    case 'l':
        s.length = p[1] == 'l' ? kLongLong : kLong;
        p += s.length == kLongLong ? 2 : 1;
        break;
    case 'j': s.length = kIntMax; ++p; break;
    case 'z': s.length = kSize; ++p; break;
    case 't': s.length = kPtrdiff; ++p; break;
    case 'I':
        if (p[1] == '6' && p[2] == '4') {
            s.length = kLongLong;
            p += 3;
        } else if (p[1] == '3' && p[2] == '2') {
            s.length = kDefault;
            p += 3;
        } else {
            s.length = kSize;
            ++p;
        }
        break;
    default: break;
    }
    s.conversion = *p;
    return s;
}

bool conversion(Output& o, const Spec& s, va_list* ap)
{
    switch (s.conversion) {
    case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
        integer(o, s, ap);
        return true;
    default: break;
    }
    bool isReal = std::strchr("fFeEgG", s.conversion) != nullptr;
    if (s.length != kDefault && !(isReal && s.length == kLong)) // "%lf" is "%f"
        return false;
    switch (s.conversion) {
    case 'c': {
        char c = static_cast<char>(va_arg(*ap, int));
        field(o, s, "", 0, &c, 1);
        return true;
    }
    case 's': {
        const char* text = va_arg(*ap, const char*);
        if (!text)
            text = "(null)";
        int n = 0;
        while ((s.precision < 0 || n < s.precision) && text[n])
            ++n;
        field(o, s, "", 0, text, n);
        return true;
    }
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
        real(o, s, va_arg(*ap, double));
        return true;
    default:
        return false;
    }
}

bool expand(Output& o, const char* format, va_list* ap)
{
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            o.put(*p);
            continue;
        }
        ++p;
        if (*p == '%') {
            o.put('%');
            continue;
        }
        Spec s = readSpec(p, ap);
        if (!conversion(o, s, ap))
            return false;
    }
    return true;
}

} // namespace

bool appendExpansion(String& out, int maxBytes, const char* format, va_list args)
{
    int start = out.Length();
    Output o(out, maxBytes);
    va_list ap;
    va_copy(ap, args);
    bool ok = expand(o, format, &ap);
    va_end(ap);
    o.flush();
    if (!ok)
        out.SetLength(start);
    return ok;
}
