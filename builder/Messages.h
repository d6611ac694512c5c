#pragma once
// Messages: the installer's message table as the builder writes it. Every message number the
// engine shows has a built-in English text; a project may replace any of them and add
// languages, each a table of its own texts, which falls back to English for the numbers it
// does not give.

#include "builder/ProductSpec.h"

#include <map>
#include <string>
#include <vector>

constexpr int kMessageNumberCount = 72;   // the engine uses numbers 0..71

struct BuiltInMessage {
    int number;
    const char* arguments;   // the printf conversions the engine passes, in order ("" none)
    const char* role;        // what the engine uses it for
    const char* english;
};

// The built-in table, one entry per number 0..kMessageNumberCount-1 in order.
const std::vector<BuiltInMessage>& builtInMessages();

// The conversion letters of the printf directives in text, in order ("%%" is not one; flags,
// width and precision are passed over). "%-5d and %s" gives "ds".
std::string formatConversions(const std::string& text);

// Why text cannot stand for message number: its conversions differ from the ones the engine
// passes (a wrong directive would read an argument that is not there). Empty when it fits,
// and for a number outside the table.
std::string messageFormatProblem(int number, const std::string& text);

// Texts given by a project for one language, by message number.
struct LanguageTexts {
    std::string name;                  // as the language dialog lists it
    std::map<int, std::string> texts;
    std::string source;                // where they came from, for warnings
};

// The language table: English first (built-in texts with englishOverrides applied), then
// each of added in order; a text an added language lacks is the English one, with one warning
// line per language naming the numbers. An added language named "English" changes English
// instead. Throws std::invalid_argument for a number outside 0..kMessageNumberCount-1, a text
// whose format does not fit (messageFormatProblem), or two languages of the same name; the
// message names the source.
std::vector<ProductSpec::Language> buildLanguageTable(const std::map<int, std::string>& englishOverrides,
                                                      const std::vector<LanguageTexts>& added,
                                                      std::vector<std::string>& warnings);
