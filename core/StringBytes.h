#pragma once
// Byte classes and small byte helpers shared by the String sources (ASCII only).

#include <cstring>

namespace stringbytes {

// Length of a NUL-terminated text; 0 for null.
inline int measure(const char* text)
{
    return text ? static_cast<int>(std::strlen(text)) : 0;
}

inline unsigned char toUpper(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

inline bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

inline bool isLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline bool isWordChar(unsigned char c)
{
    return isLetter(c) || isDigit(c) || c == '_';
}

inline bool isWhitespace(unsigned char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

// Whether c is one of the setLength bytes of set (folded when fold).
inline bool inSet(const char* set, int setLength, unsigned char c, bool fold)
{
    if (fold)
        c = toUpper(c);
    for (int i = 0; i < setLength; ++i) {
        unsigned char s = static_cast<unsigned char>(set[i]);
        if ((fold ? toUpper(s) : s) == c)
            return true;
    }
    return false;
}

// Whether n bytes of a and b are equal under ASCII case folding.
inline bool equalFolded(const char* a, const char* b, int n)
{
    for (int i = 0; i < n; ++i)
        if (toUpper(static_cast<unsigned char>(a[i])) != toUpper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace stringbytes
