#pragma once
// Which language the language dialog selects first.

#include "core/String.h"

class Language;

// The first word of the user's language name: cut at the first '(' and at the first
// whitespace byte ("Deutsch (Deutschland)" -> "Deutsch").
String userLanguageWord(const String& localeName);

// The index of the first language whose name begins with word (letter case ignored); else of
// the first that begins with "English"; else 0. 0 also for an empty table.
int initialLanguage(const Language& languages, const String& word);
