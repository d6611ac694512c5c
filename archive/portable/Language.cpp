// Language: the language table and the message lookup.
#include "archive/portable/Language.h"

#include <cstring>

namespace {

const String& emptyString()
{
    static const String empty;
    return empty;
}

char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The n bytes of word (lower case) stand at pos of data (length bytes), letter case ignored.
bool matchesAt(const char* data, int length, int pos, const char* word, int n)
{
    if (pos + n > length)
        return false;
    for (int i = 0; i < n; ++i)
        if (foldAscii(data[pos + i]) != word[i])
            return false;
    return true;
}

constexpr char kProduct[] = "<product>";
constexpr int kProductLength = sizeof kProduct - 1;
constexpr char kOs[] = "<os>";
constexpr int kOsLength = sizeof kOs - 1;

} // namespace

int expandMessagePlaceholders(String& text, const String& product, const String& windowsDir)
{
    const char* data = text.Data();
    const int length = text.Length();
    if (!data || !std::memchr(data, '<', static_cast<size_t>(length)))
        return 0;

    String out;
    int copied = 0;
    int count = 0;
    for (int i = 0; i < length;) {
        const String* replacement = nullptr;
        int skip = 0;
        if (data[i] == '<') {
            if (matchesAt(data, length, i, kProduct, kProductLength)) {
                replacement = &product;
                skip = kProductLength;
            } else if (matchesAt(data, length, i, kOs, kOsLength)) {
                replacement = &windowsDir;
                skip = kOsLength;
            }
        }
        if (!replacement) {
            ++i;
            continue;
        }
        out.Append(data + copied, i - copied);
        out.Append(*replacement);
        i += skip;
        copied = i;
        ++count;
    }
    if (count == 0)
        return 0;
    out.Append(data + copied, length - copied);
    text = static_cast<String&&>(out);
    return count;
}

void Language::clear()
{
    names_.Clear();
    texts_.Clear();
    expanded_.Clear();
    messageCount_ = 0;
    index_ = 0;
}

void Language::reset(int languageCount, int messageCount)
{
    clear();
    if (languageCount < 1 || messageCount < 1 || languageCount > kNoLimit / messageCount)
        return;
    names_.SetCount(languageCount);
    texts_.SetCount(languageCount * messageCount);
    expanded_.SetCount(languageCount * messageCount);
    messageCount_ = messageCount;
}

int Language::slot(int number, int language) const
{
    const int languages = names_.Count();
    if (number < 0 || number >= messageCount_ || language < 0 || language >= languages)
        return -1;
    return number * languages + language;
}

bool Language::setName(int language, String& name)
{
    if (language < 0 || language >= names_.Count())
        return false;
    names_[language] = static_cast<String&&>(name);
    return true;
}

bool Language::setText(int number, int language, String& text)
{
    const int i = slot(number, language);
    if (i < 0)
        return false;
    texts_[i] = static_cast<String&&>(text);
    expanded_[i] = 0;
    return true;
}

const String& Language::name(int language) const
{
    if (language < 0 || language >= names_.Count())
        return emptyString();
    return names_[language];
}

const String& Language::text(int number, int language) const
{
    const int i = slot(number, language);
    return i < 0 ? emptyString() : texts_[i];
}

int Language::englishIndex() const
{
    int found = 0;
    for (int i = 0; i < names_.Count(); ++i)
        if (names_[i].Equals("English"))
            found = i;
    return found;
}

void Language::bindPlaceholders(const String* productName, const String* windowsDir)
{
    productName_ = productName;
    windowsDir_ = windowsDir;
}

const String& Language::message(int number)
{
    const int i = slot(number, index_);
    if (i < 0)
        return emptyString();
    if (!expanded_[i]) {
        expandMessagePlaceholders(texts_[i], productName_ ? *productName_ : emptyString(),
                                  windowsDir_ ? *windowsDir_ : emptyString());
        expanded_[i] = 1;
    }
    return texts_[i];
}

Language& languageTable()
{
    static Language table;
    return table;
}

const String& message(int number)
{
    return languageTable().message(number);
}
