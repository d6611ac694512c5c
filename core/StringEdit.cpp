// String: inserting, deleting, single bytes, pieces, tokens and concatenation.
#include "core/String.h"

#include "core/Fatal.h"
#include "core/StringBytes.h"

#include <cstring>

using namespace stringbytes;

// ---------------------------------------------------------------- inserting

int String::Prepend(const char* text)
{
    int n = measure(text);
    return Splice(0, 0, text, n) ? n : 0;
}

bool String::PrependCharOnce(char c)
{
    if (length_ > 0 && data_[0] == c)
        return false;
    return Splice(0, 0, &c, 1);
}

bool String::Insert(int pos, const String& source, int max)
{
    int n = source.length_ < max ? source.length_ : max;
    return Splice(pos, 0, source.data_, n);
}

bool String::Insert(int pos, const char* source, int max)
{
    int n = measure(source);
    return Splice(pos, 0, source, n < max ? n : max);
}

bool String::InsertChars(char c, int pos, int count)
{
    if (count < 1 || pos < 0 || pos > length_)
        return false;
    int tail = length_ - pos;
    SetLength(length_ + count);
    std::memmove(data_ + pos + count, data_ + pos, static_cast<size_t>(tail));
    std::memset(data_ + pos, static_cast<unsigned char>(c), static_cast<size_t>(count));
    return true;
}

// ---------------------------------------------------------------- removing

void String::Delete(int pos, int count)
{
    Splice(pos, count, nullptr, 0);
}

int String::DropFirst(int n)
{
    if (n < 1)
        return 0;
    if (n > length_)
        n = length_;
    Delete(0, n);
    return n;
}

int String::DropLast(int n)
{
    if (n < 1)
        return 0;
    if (n > length_)
        n = length_;
    SetLength(length_ - n);
    return n;
}

bool String::RemoveFirstIf(char c)
{
    if (length_ < 1 || data_[0] != c)
        return false;
    Delete(0, 1);
    return true;
}

bool String::RemoveLastIf(char c)
{
    if (length_ < 1 || data_[length_ - 1] != c)
        return false;
    SetLength(length_ - 1);
    return true;
}

bool String::RemoveFirstIfAnyOf(const char* set)
{
    if (length_ < 1 || !inSet(set, measure(set), static_cast<unsigned char>(data_[0]), false))
        return false;
    Delete(0, 1);
    return true;
}

char String::PopFirst()
{
    if (length_ < 1)
        return 0;
    char c = data_[0];
    Delete(0, 1);
    return c;
}

bool String::Unquote(char c)
{
    if (length_ < 2 || data_[0] != c || data_[length_ - 1] != c)
        return false;
    SetLength(length_ - 1);
    Delete(0, 1);
    return true;
}

bool String::Quote()
{
    char quote = '"';
    Splice(0, 0, &quote, 1);
    return Append(quote);
}

bool String::EnsureTrailingLineBreak()
{
    if (EndsWithLineBreak())
        return false;
    return Append("\r\n", 2);
}

bool String::EndsWithLineBreak() const
{
    return length_ > 0 && (data_[length_ - 1] == '\r' || data_[length_ - 1] == '\n');
}

// ---------------------------------------------------------------- single bytes

char String::First() const
{
    return length_ > 0 ? data_[0] : 0;
}

char String::Last() const
{
    return length_ > 0 ? data_[length_ - 1] : 0;
}

char String::CharAt(int i) const
{
    return (i >= 0 && i < length_) ? data_[i] : 0;
}

bool String::IsFirst(char c) const
{
    return length_ > 0 && data_[0] == c;
}

bool String::IsLast(char c) const
{
    return length_ > 0 && data_[length_ - 1] == c;
}

bool String::Contains(char c) const
{
    return length_ > 0 && std::memchr(data_, static_cast<unsigned char>(c),
                                      static_cast<size_t>(length_)) != nullptr;
}

char* String::ByteAt(int i)
{
    if (i < 0 || i >= length_)
        internalError("Core", __LINE__);
    return data_ + i;
}

const char* String::ByteAt(int i) const
{
    if (i < 0 || i >= length_)
        internalError("Core", __LINE__);
    return data_ + i;
}

uint32_t String::ReadU32At(int offset) const
{
    if (offset < 0 || offset > length_ - 4)
        return 0xFFFFFFFFu;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data_ + offset);
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool String::WriteU16At(int offset, uint16_t value)
{
    if (offset < 0 || offset > length_ - 2)
        return false;
    data_[offset] = static_cast<char>(value & 0xFF);
    data_[offset + 1] = static_cast<char>(value >> 8);
    return true;
}

bool String::WriteU32At(int offset, uint32_t value)
{
    if (offset < 0 || offset > length_ - 4)
        return false;
    for (int i = 0; i < 4; ++i)
        data_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return true;
}

// ---------------------------------------------------------------- pieces

bool String::Mid(String& out, int pos, int count) const
{
    int p = pos < 0 ? 0 : pos;
    int n = length_ - p < count ? length_ - p : count;
    if (n < 1) {
        out.Clear();
        return false;
    }
    out.Assign(data_ + p, n);
    return true;
}

void String::Cut(String& out, int pos, int count)
{
    if (&out == this)
        return;
    Mid(out, pos, count);
    Delete(pos, count);
}

void String::CutFrom(String& out, const char* needle, int flags)
{
    if (&out == this)
        return;
    int pos = Find(needle, 0, flags);
    if (pos < 0) {
        out.Clear();
        return;
    }
    out.Assign(data_ + pos, length_ - pos);
    SetLength(pos);
}

void String::TakeUntil(String& out, char c)
{
    if (&out == this)
        return;
    int pos = FindChar(c);
    if (pos < 0) {
        out = static_cast<String&&>(*this);
        return;
    }
    out.Assign(data_, pos);
    Delete(0, pos + 1);
}

void String::TakeLine(String& out)
{
    if (&out == this)
        return;
    int end = 0;
    while (end < length_ && data_[end] != '\r' && data_[end] != '\n' && data_[end] != 0)
        ++end;
    if (end == length_) {
        out = static_cast<String&&>(*this);
        return;
    }
    out.Assign(data_, end);
    int after = end + 1;
    if (data_[end] != 0 && after < length_ && data_[after] == (data_[end] == '\r' ? '\n' : '\r'))
        ++after;
    Delete(0, after);
}

String String::NextToken(String& source)
{
    source.TrimLeft();
    String token;
    int n = source.length_;
    const char* s = source.data_;
    // The token is never longer than the rest of the source: one allocation.
    if (n > 0)
        token.SetLength(n);
    int written = 0, i = 0;
    bool quoted = false;
    for (; i < n; ++i) {
        char c = s[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < n && s[i + 1] == '"') {
                    token.data_[written++] = '"';
                    ++i;
                    continue;
                }
                quoted = false;
            }
            token.data_[written++] = c;
            continue;
        }
        if (isWhitespace(static_cast<unsigned char>(c))) {
            ++i; // the separator is consumed
            break;
        }
        if (c == '"')
            quoted = true;
        token.data_[written++] = c;
    }
    token.SetLength(written);
    source.Delete(0, i);
    return token;
}

String String::ExtractQuoted(char quote, int pos)
{
    String text;
    if (pos < 0 || pos >= length_ || data_[pos] != quote)
        return text;
    text.SetLength(length_ - pos);
    int written = 0, i = pos + 1;
    for (; i < length_; ++i) {
        if (data_[i] == quote) {
            if (i + 1 < length_ && data_[i + 1] == quote) {
                text.data_[written++] = quote;
                ++i;
                continue;
            }
            ++i; // the closing quote
            break;
        }
        text.data_[written++] = data_[i];
    }
    text.SetLength(written);
    Delete(pos, i - pos);
    return text;
}

// ---------------------------------------------------------------- concatenation

String operator+(const String& a, char c)
{
    String s(a);
    s.Append(c);
    return s;
}

String operator+(const String& a, const char* b)
{
    String s(a);
    s.Append(b);
    return s;
}

String operator+(const String& a, const String& b)
{
    String s(a);
    s.Append(b);
    return s;
}

String operator+(const char* a, const String& b)
{
    String s(a);
    s.Append(b);
    return s;
}
