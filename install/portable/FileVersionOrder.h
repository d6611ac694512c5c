#pragma once
// Ordering of the version texts found in file version resources ("1.2", "2.0a", "4.10.0.3").

#include "core/String.h"

// The existing file's version as it is compared: letters a-z upper-cased and each
// dot-separated component filled on the left with "0" to 10 characters (longer components
// stay as they are). The numbers read from it are unchanged.
String normaliseFileVersion(const char* version);

// Compares the record's version a with an existing file's version b (b is normalised first,
// and the letters of both are compared without regard to case). Each text is read as a list of
// numbers: every run of digits is one number, a "." before any number counts as 0, other
// characters are skipped; the last letter seen is the text's letter. The first differing
// number decides (its sign); a list that ends first is the smaller; equal lists compare their
// letters (none counts lowest). Returns negative, 0 or positive.
int compareFileVersions(const char* a, const char* b);
