#pragma once
// Numbers as display text: byte sizes, ordinals, and numbers in English words.

#include <cstdint>

class String;

// Styles of NumberWords.
enum NumberWordsMode : int {
    kNumberWordsPlain = 0,      // "One Hundred Twenty Three Point Four Five"
    kNumberWordsFractions = 1,  // to the nearest eighth: "Two and Three Fourths"
    kNumberWordsCheque = 2,     // hundredths: "Twelve and 50/100", "Twelve and No/100"
    kNumberWordsYear = 3,       // "Nineteen Oh Five", "Nineteen Hundred", "Two Thousand Seven"
    kNumberWordsChequeMils = 4, // thousandths: "Twelve and 125/1000"
};

// n < 1,024 (negative n too): "%d bytes"; then "%.2f" with " KB", " MB", " GB" below 2^20,
// 2^30, 2^40, and " TB" above.
String FormatByteSize(int64_t n);

// n in decimal with its English ending: "1st", "2nd", "3rd", "4th", "11th", "12th", "22nd",
// "111th", "-1st", "0th".
String OrdinalSuffix(int n);

// n as an English ordinal in words: "First", "Twelfth", "Twenty Second", "One Hundredth",
// "One Hundred First", "Zeroth", "Negative Third".
String OrdinalWords(int n);

// x in English words in the given style (NumberWordsMode; other values read as plain).
// "Negative " leads a negative number. Numbers of a thousand million and more, and values that
// are not numbers, are written with "%.3f".
String NumberWords(double x, int mode);
