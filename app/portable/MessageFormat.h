#pragma once
// Format texts that come from the archive's language table. Such a text is used as a printf
// format only when its conversions are the ones the caller passes; anything else (a stray
// "%s", "%n", a '*' width) would read arguments that were never given.

// Whether every conversion of format, in order, is the next letter of kinds ("s", "scs"):
// flags, width and precision digits are allowed, '*' and 'n' never; "%%" is no conversion.
// Fewer conversions than kinds is fine (the rest are not read).
bool formatTakes(const char* format, const char* kinds);
