#include "install/portable/FileVersionOrder.h"

namespace {

constexpr int kComponentWidth = 10;

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    c = upper(c);
    return c >= 'A' && c <= 'Z';
}

// Reads the numbers of a version text one by one.
class VersionNumbers {
public:
    explicit VersionNumbers(const char* text) : p_(text ? text : ""), letter_(0), any_(false) {}

    // The next number into value; false at the end of the text.
    bool Next(long long& value)
    {
        for (; *p_; ++p_) {
            if (isDigit(*p_)) {
                long long v = 0;
                for (; isDigit(*p_); ++p_) {
                    if (v < 100000000000000LL)
                        v = v * 10 + (*p_ - '0');
                }
                any_ = true;
                value = v;
                return true;
            }
            if (*p_ == '.' && !any_) {
                ++p_;
                any_ = true;
                value = 0;
                return true;
            }
            if (isLetter(*p_))
                letter_ = upper(*p_);
        }
        return false;
    }

    // The last letter seen so far, upper case; 0 when none. Complete after Next returned false.
    int Letter() const { return static_cast<unsigned char>(letter_); }

private:
    const char* p_;
    char letter_;
    bool any_;
};

} // namespace

String normaliseFileVersion(const char* version)
{
    String out;
    const char* p = version ? version : "";
    for (;;) {
        const char* end = p;
        while (*end && *end != '.')
            ++end;
        int length = static_cast<int>(end - p);
        if (length < kComponentWidth)
            out.InsertChars('0', out.Length(), kComponentWidth - length);
        for (const char* q = p; q < end; ++q)
            out.Append(upper(*q));
        if (!*end)
            break;
        out.Append('.');
        p = end + 1;
    }
    return out;
}

int compareFileVersions(const char* a, const char* b)
{
    String existing = normaliseFileVersion(b);
    VersionNumbers ra(a), rb(existing.CStr());
    for (;;) {
        long long va = 0, vb = 0;
        bool hasA = ra.Next(va);
        bool hasB = rb.Next(vb);
        if (hasA && hasB) {
            if (va != vb)
                return va < vb ? -1 : 1;
            continue;
        }
        if (hasA != hasB)
            return hasA ? 1 : -1;
        return ra.Letter() - rb.Letter();
    }
}
