#include "ui/portable/LanguageChoice.h"

#include "archive/portable/Language.h"

namespace {

// -1 when no language name begins with prefix (an empty prefix matches none).
int firstBeginningWith(const Language& languages, const char* prefix, int prefixLength)
{
    if (prefixLength < 1)
        return -1;
    for (int i = 0; i < languages.languageCount(); ++i) {
        const String& name = languages.name(i);
        if (name.Length() >= prefixLength && name.Compare(prefix, false, prefixLength) == 0)
            return i;
    }
    return -1;
}

} // namespace

String userLanguageWord(const String& localeName)
{
    String word = localeName;
    const int paren = word.FindChar('(');
    if (paren >= 0)
        word.SetLength(paren);
    word.TrimLeft();
    const int space = word.FindWhitespace();
    if (space >= 0)
        word.SetLength(space);
    return word;
}

int initialLanguage(const Language& languages, const String& word)
{
    int index = firstBeginningWith(languages, word.CStr(), word.Length());
    if (index < 0)
        index = firstBeginningWith(languages, "English", 7);
    return index < 0 ? 0 : index;
}
