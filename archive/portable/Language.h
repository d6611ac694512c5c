#pragma once
// Language: the installer's language table.
//
// A grid of numbered message texts by language: one name per language index (0-based), and
// for every message number 0..messageCount-1 one text per language. It also holds the current
// language index and looks messages up with their two placeholders expanded:
//   "<product>" (any letter case) -> the product name current at the text's first lookup,
//   "<os>"      (any letter case) -> the Windows directory.
// A text is expanded once, in place, at its first lookup: later changes of the product name do
// not reach texts already looked up. Lookups never fail; anything outside the table gives the
// empty text. An empty table (the state after construction and clear) gives empty texts
// everywhere.
//
// The table of the process, which the installer's dialogs and messages read, is
// languageTable(); message(number) looks up in it.

#include "core/Array.h"
#include "core/String.h"

class Language {
public:
    Language() {}
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // Replaces the table by languageCount empty names and messageCount rows of empty texts;
    // the current index becomes 0. Either count below 1, or a grid of more than kNoLimit
    // texts, gives an empty table. Allocation
    // failure goes to the out-of-memory handler.
    void reset(int languageCount, int messageCount);
    // Empty table, index 0. The placeholder binding is kept.
    void clear();

    int languageCount() const { return names_.Count(); }
    int messageCount() const { return messageCount_; }

    // Store a language name / a message text (taken over, the argument is left empty).
    // False, nothing stored, when the index or number is outside the table. A stored text is
    // expanded again at its next lookup.
    bool setName(int language, String& name);
    bool setText(int number, int language, String& text);

    // The name of a language; the empty text outside the table.
    const String& name(int language) const;
    // The text as stored (expanded only if it was already looked up); empty outside the table.
    const String& text(int number, int language) const;
    // The index of the last language whose name is exactly "English" (case matters), or 0.
    int englishIndex() const;

    // The current language. Any value is kept; one outside 0..languageCount-1 makes every
    // lookup give the empty text.
    int index() const { return index_; }
    void setIndex(int language) { index_ = language; }

    // Where message() takes the placeholder texts from. Each pointer is read at the time of a
    // lookup (so the product name is the one current then) and must stay valid while the
    // table is used; null stands for the empty text. Unbound at construction.
    void bindPlaceholders(const String* productName, const String* windowsDir);

    // Message number in the current language, placeholders expanded (see above). The result
    // is the stored text itself, valid until the table is changed; the empty text when number
    // or the current index is outside the table.
    const String& message(int number);

private:
    // Index of the text in texts_, -1 outside the table.
    int slot(int number, int language) const;

    int messageCount_ = 0;
    int index_ = 0;
    Array<String> names_;               // one per language
    Array<String> texts_;               // messageCount_ rows of one text per language
    Array<unsigned char> expanded_;     // per text: placeholders already replaced
    const String* productName_ = nullptr;
    const String* windowsDir_ = nullptr;
};

// The process's language table.
Language& languageTable();

// languageTable().message(number).
const String& message(int number);

// Replaces, in one pass, every "<product>" by product and every "<os>" by windowsDir (letter
// case of the placeholders ignored); replaced text is not scanned again. Returns the number
// of replacements (text unchanged when 0).
int expandMessagePlaceholders(String& text, const String& product, const String& windowsDir);
