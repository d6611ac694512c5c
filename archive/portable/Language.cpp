// Language: the language table and the message lookup.
#include "archive/portable/Language.h"

#include "core/OutOfMemory.h"

#include <cstring>
#include <new>

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

String* newStrings(int count)
{
    String* block = static_cast<String*>(allocateMemory(sizeof(String) * static_cast<size_t>(count)));
    for (int i = 0; i < count; ++i)
        new (block + i) String();
    return block;
}

void deleteStrings(String* block, int count)
{
    if (!block)
        return;
    for (int i = 0; i < count; ++i)
        block[i].~String();
    releaseMemory(block);
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

Language::Language() {}

Language::~Language()
{
    clear();
}

void Language::clear()
{
    deleteStrings(names_, languageCount_);
    deleteStrings(texts_, languageCount_ * messageCount_);
    releaseMemory(expanded_);
    names_ = nullptr;
    texts_ = nullptr;
    expanded_ = nullptr;
    languageCount_ = 0;
    messageCount_ = 0;
    index_ = 0;
}

void Language::reset(int languageCount, int messageCount)
{
    clear();
    if (languageCount < 1 || messageCount < 1 || languageCount > kNoLimit / messageCount)
        return;
    const int cells = languageCount * messageCount;
    names_ = newStrings(languageCount);
    texts_ = newStrings(cells);
    expanded_ = static_cast<unsigned char*>(allocateMemory(static_cast<size_t>(cells)));
    std::memset(expanded_, 0, static_cast<size_t>(cells));
    languageCount_ = languageCount;
    messageCount_ = messageCount;
}

String* Language::slot(int number, int language) const
{
    if (number < 0 || number >= messageCount_ || language < 0 || language >= languageCount_)
        return nullptr;
    return texts_ + number * languageCount_ + language;
}

bool Language::setName(int language, String& name)
{
    if (language < 0 || language >= languageCount_)
        return false;
    names_[language] = static_cast<String&&>(name);
    return true;
}

bool Language::setText(int number, int language, String& text)
{
    String* s = slot(number, language);
    if (!s)
        return false;
    *s = static_cast<String&&>(text);
    expanded_[s - texts_] = 0;
    return true;
}

const String& Language::name(int language) const
{
    if (language < 0 || language >= languageCount_)
        return emptyString();
    return names_[language];
}

const String& Language::text(int number, int language) const
{
    const String* s = slot(number, language);
    return s ? *s : emptyString();
}

int Language::englishIndex() const
{
    int found = 0;
    for (int i = 0; i < languageCount_; ++i)
        if (names_[i].Length() == 7 && std::memcmp(names_[i].Data(), "English", 7) == 0)
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
    String* s = slot(number, index_);
    if (!s)
        return emptyString();
    unsigned char& done = expanded_[s - texts_];
    if (!done) {
        expandMessagePlaceholders(*s, productName_ ? *productName_ : emptyString(),
                                  windowsDir_ ? *windowsDir_ : emptyString());
        done = 1;
    }
    return *s;
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
