#pragma once
// The printf-style expansion behind String::Format, written here rather than taken from the
// C library: the library's formatter and its number conversions would be the largest part of
// the engine.

#include <cstdarg>

class String;

// Appends the expansion of format with args to out, at most maxBytes bytes of it (the rest is
// cut off). Understood, with the C library's results:
//   conversions  d i u o x X c s f F e E g G, and "%%"
//   flags        - + space # 0
//   width        digits or '*' (a negative '*' width means '-')
//   precision    '.' then digits or '*' (a negative '*' precision counts as none)
//   lengths      hh h l ll j z t, and I I32 I64 (integer conversions only)
// Reals are expanded exactly (the decimal value of the double, rounded half to even).
// Returns false, with out as it was, for anything else: %n, %p, a length with c, s or a real
// (wide characters and texts, long double), an unknown conversion, a '%' at the end.
bool appendExpansion(String& out, int maxBytes, const char* format, va_list args);
