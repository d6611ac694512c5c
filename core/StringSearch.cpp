// String: comparing, finding, replacing, removing and trimming.
#include "core/String.h"

#include "core/StringBytes.h"

#include <cstring>

using namespace stringbytes;

namespace {

const char kWhitespace[] = " \r\n\t";

// Whether the needleLength bytes of needle match text at pos (pos + matchLength <= length),
// under the flags of Find.
bool matchesAt(const char* text, int length, int pos, const char* needle, int needleLength,
               int flags)
{
    const bool fold = (flags & kFindIgnoreCase) != 0;
    int matchLength = 1;
    if (flags & kFindCharSet) {
        if (!inSet(needle, needleLength, static_cast<unsigned char>(text[pos]), fold))
            return false;
    } else {
        matchLength = needleLength;
        const bool wildcard = (flags & kFindWildcard) != 0;
        for (int i = 0; i < needleLength; ++i) {
            unsigned char n = static_cast<unsigned char>(needle[i]);
            unsigned char t = static_cast<unsigned char>(text[pos + i]);
            if (wildcard && n == '?')
                continue;
            if (fold ? toUpper(n) != toUpper(t) : n != t)
                return false;
        }
    }
    if (flags & kFindWholeWord) {
        if (pos > 0 && isWordChar(static_cast<unsigned char>(text[pos - 1])))
            return false;
        int after = pos + matchLength;
        if (after < length && isWordChar(static_cast<unsigned char>(text[after])))
            return false;
    }
    return true;
}

// Position of the next double quote from pos in direction step (+1 / -1), or -1.
int nextQuote(const char* text, int length, int pos, int step)
{
    for (; pos >= 0 && pos < length; pos += step)
        if (text[pos] == '"')
            return pos;
    return -1;
}

// The forward scan shared by Find and Replace: first match at or after start, or -1.
int scanForward(const char* text, int length, int start, const char* needle, int needleLength,
                int flags)
{
    int matchLength = (flags & kFindCharSet) ? 1 : needleLength;
    int last = length - matchLength;
    for (int pos = start < 0 ? 0 : start; pos <= last;) {
        if ((flags & kFindSkipQuoted) && text[pos] == '"') {
            int closing = nextQuote(text, length, pos + 1, 1);
            if (closing < 0)
                return -1;
            pos = closing + 1;
            continue;
        }
        if (matchesAt(text, length, pos, needle, needleLength, flags))
            return pos;
        ++pos;
    }
    return -1;
}

// For backward scans that skip quoted text: whether a position lies inside double quotes, as
// a forward reading from the start would see it (an odd number of quotes before it), so that a
// scan starting inside a quoted part does not take that part for plain text.
class QuoteParity {
public:
    // Counts the quotes before pos; inactive (nothing hidden) when !active.
    QuoteParity(const char* text, int pos, bool active) : active_(active), before_(0)
    {
        if (active_)
            for (int i = 0; i < pos; ++i)
                before_ += text[i] == '"';
    }

    // Whether the byte at pos is a quote or quoted; then moves the count to pos - 1.
    bool HiddenThenStepBack(const char* text, int pos)
    {
        if (!active_)
            return false;
        bool hidden = text[pos] == '"' || (before_ & 1);
        if (pos > 0 && text[pos - 1] == '"')
            --before_;
        return hidden;
    }

private:
    bool active_;
    int before_;
};

} // namespace

// ---------------------------------------------------------------- comparing

int String::Compare(const char* text, bool caseSensitive, int maxCount) const
{
    if (!text || !*text)
        return length_ < 1 ? 0 : 1;
    if (!data_)
        return -1;
    int textLength = measure(text);
    int n = (length_ < textLength ? length_ : textLength) + 1;
    if (maxCount < n)
        n = maxCount;
    if (n < 1)
        return -1;
    const unsigned char* a = reinterpret_cast<const unsigned char*>(data_);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text);
    if (caseSensitive)
        return std::memcmp(a, b, static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        int d = toUpper(a[i]) - toUpper(b[i]);
        if (d)
            return d;
    }
    return 0;
}

bool String::Equals(const char* text) const
{
    return Compare(text, true, kNoLimit) == 0;
}

bool String::Differs(const char* text) const
{
    return !Equals(text);
}

bool String::Equals(const String& other) const
{
    return length_ == other.length_ &&
           (length_ < 1 || std::memcmp(data_, other.data_, static_cast<size_t>(length_)) == 0);
}

bool String::NotEquals(const String& other) const
{
    return !Equals(other);
}

bool String::StartsWith(const char* text, int max) const
{
    int n = measure(text);
    if (max < n)
        n = max;
    if (n < 1 || n > length_)
        return false;
    return std::memcmp(data_, text, static_cast<size_t>(n)) == 0;
}

bool String::StripPrefix(const char* text, int max)
{
    int n = measure(text);
    if (max < n)
        n = max;
    if (n < 1 || n > length_ || !equalFolded(data_, text, n))
        return false;
    Delete(0, n);
    return true;
}

bool String::StripSuffix(const char* text, int max)
{
    int textLength = measure(text);
    int n = max < textLength ? max : textLength;
    if (max < 1 || n > length_)
        return false;
    if (n == 0)
        return true;
    if (!equalFolded(data_ + length_ - n, text + textLength - n, n))
        return false;
    SetLength(length_ - n);
    return true;
}

// ---------------------------------------------------------------- finding

int String::Find(const char* needle, int start, int flags, int needleLength) const
{
    if (!data_ || length_ < 1 || !needle)
        return -1;
    if (needleLength == kNoLimit)
        needleLength = measure(needle);
    if (needleLength < 1)
        return -1;
    int matchLength = (flags & kFindCharSet) ? 1 : needleLength;
    if (matchLength > length_)
        return -1;
    int found;
    if (flags & kFindBackwards) {
        if (start < 1)
            return -1;
        int pos = start - 1 < length_ - matchLength ? start - 1 : length_ - matchLength;
        QuoteParity quotes(data_, pos, (flags & kFindSkipQuoted) != 0);
        found = -1;
        for (; pos >= 0; --pos) {
            if (quotes.HiddenThenStepBack(data_, pos))
                continue;
            if (matchesAt(data_, length_, pos, needle, needleLength, flags)) {
                found = pos;
                break;
            }
        }
    } else {
        found = scanForward(data_, length_, start, needle, needleLength, flags);
    }
    if (found >= 0 && (flags & kFindBehindMatch))
        found += matchLength;
    return found;
}

int String::FindChar(char c, int start, int flags) const
{
    const bool fold = (flags & kFindIgnoreCase) != 0;
    const unsigned char wanted = fold ? toUpper(static_cast<unsigned char>(c)) : c;
    for (int pos = start < 0 ? 0 : start; pos < length_; ++pos) {
        unsigned char b = static_cast<unsigned char>(data_[pos]);
        if ((flags & kFindSkipQuoted) && b == '"') {
            pos = nextQuote(data_, length_, pos + 1, 1);
            if (pos < 0)
                return -1;
            continue;
        }
        if ((fold ? toUpper(b) : b) == wanted)
            return pos;
    }
    return -1;
}

int String::FindCharReverse(char c, int start, int flags) const
{
    const bool fold = (flags & kFindIgnoreCase) != 0;
    const unsigned char wanted = fold ? toUpper(static_cast<unsigned char>(c)) : c;
    int pos = start < length_ - 1 ? start : length_ - 1;
    QuoteParity quotes(data_, pos, (flags & kFindSkipQuoted) != 0);
    for (; pos >= 0; --pos) {
        if (quotes.HiddenThenStepBack(data_, pos))
            continue;
        unsigned char b = static_cast<unsigned char>(data_[pos]);
        if ((fold ? toUpper(b) : b) == wanted)
            return pos;
    }
    return -1;
}

int String::FindAnyOf(const char* set, int start) const
{
    int setLength = measure(set);
    if (setLength < 1)
        return -1;
    for (int pos = start < 0 ? 0 : start; pos < length_; ++pos)
        if (inSet(set, setLength, static_cast<unsigned char>(data_[pos]), false))
            return pos;
    return -1;
}

int String::FindNotOf(const char* set, int start) const
{
    int setLength = measure(set);
    for (int pos = start < 0 ? 0 : start; pos < length_; ++pos)
        if (!inSet(set, setLength, static_cast<unsigned char>(data_[pos]), false))
            return pos;
    return -1;
}

int String::FindWhitespace() const
{
    return FindAnyOf(kWhitespace, 0);
}

int String::FindNumberStart(int start) const
{
    return FindAnyOf("0123456789+-.", start);
}

int String::FindLineEnd(int pos, int flags) const
{
    const int notFound = (flags & kLineEndOrLength) ? length_ : -1;
    for (int i = pos < 0 ? 0 : pos; i < length_; ++i) {
        char c = data_[i];
        if ((flags & kFindSkipQuoted) && c == '"') {
            i = nextQuote(data_, length_, i + 1, 1);
            if (i < 0)
                return notFound;
            continue;
        }
        if (c != '\r' && c != '\n')
            continue;
        if (flags & kLineEndAtBreak)
            return i;
        char pair = c == '\r' ? '\n' : '\r';
        return (i + 1 < length_ && data_[i + 1] == pair) ? i + 2 : i + 1;
    }
    return notFound;
}

// ---------------------------------------------------------------- replacing

int String::Replace(const char* needle, const char* replacement, int flags, int start,
                    int maxCount, int skip)
{
    const bool firstOnly = (flags & kFindFirstOnly) != 0;
    const int needleLength = measure(needle);
    if (needleLength < 1 || maxCount < 1 || !data_)
        return firstOnly ? -1 : 0;
    flags &= ~(kFindBackwards | kFindBehindMatch | kFindFirstOnly);
    if (firstOnly)
        maxCount = 1;
    if (!replacement)
        replacement = "";
    const int replacementLength = measure(replacement);
    const int matchLength = (flags & kFindCharSet) ? 1 : needleLength;
    const bool copyWildcards = (flags & kFindWildcard) && !(flags & kFindCharSet);

    // First pass: count, on the text as it is (occurrences never overlap).
    int found = 0, replaced = 0, firstPos = -1;
    for (int pos = scanForward(data_, length_, start, needle, needleLength, flags);
         pos >= 0 && replaced < maxCount;
         pos = scanForward(data_, length_, pos + matchLength, needle, needleLength, flags)) {
        if (found++ < skip)
            continue;
        if (firstPos < 0)
            firstPos = pos;
        ++replaced;
    }
    if (replaced == 0)
        return firstOnly ? -1 : found;

    // Second pass: the same scan, writing into a buffer of the final length (or in place when
    // the lengths agree).
    const long long grown = static_cast<long long>(length_) +
                            static_cast<long long>(replacementLength - matchLength) * replaced;
    if (grown > kNoLimit - 32)
        return firstOnly ? -1 : 0; // the result could not be held; nothing changed
    String result;
    // In place only when writing cannot change what the scan sees: a wildcard replacement
    // reads the matched bytes while it writes, and a whole-word test reads the byte before.
    const bool inPlace = replacementLength == matchLength && !copyWildcards &&
                         !(flags & kFindWholeWord);
    if (!inPlace)
        result.SetLength(static_cast<int>(grown));
    char* out = inPlace ? data_ : result.data_;
    int copiedTo = 0, written = 0, seen = 0, done = 0;
    for (int pos = scanForward(data_, length_, start, needle, needleLength, flags);
         pos >= 0 && done < replaced;
         pos = scanForward(data_, length_, pos + matchLength, needle, needleLength, flags)) {
        if (seen++ < skip)
            continue;
        if (!inPlace) {
            std::memcpy(out + written, data_ + copiedTo, static_cast<size_t>(pos - copiedTo));
            written += pos - copiedTo;
        } else {
            written = pos;
        }
        int needleIndex = 0;
        for (int i = 0; i < replacementLength; ++i) {
            char b = replacement[i];
            if (copyWildcards && b == '?') {
                while (needleIndex < needleLength && needle[needleIndex] != '?')
                    ++needleIndex;
                if (needleIndex < needleLength)
                    b = data_[pos + needleIndex++];
            }
            out[written + i] = b;
        }
        written += replacementLength;
        copiedTo = pos + matchLength;
        ++done;
    }
    if (!inPlace) {
        std::memcpy(out + written, data_ + copiedTo, static_cast<size_t>(length_ - copiedTo));
        *this = static_cast<String&&>(result);
    }
    return firstOnly ? firstPos : found;
}

int String::ReplaceChar(char from, char to, bool caseSensitive)
{
    const unsigned char wanted = caseSensitive ? from : toUpper(static_cast<unsigned char>(from));
    int count = 0;
    for (int i = 0; i < length_; ++i) {
        unsigned char b = static_cast<unsigned char>(data_[i]);
        if ((caseSensitive ? b : toUpper(b)) == wanted) {
            data_[i] = to;
            ++count;
        }
    }
    return count;
}

int String::RemoveAll(const char* needle, int maxCount, bool caseSensitive)
{
    const int needleLength = measure(needle);
    if (needleLength < 1)
        return 0;
    int count = 0;
    for (int pos = 0; count < maxCount;) {
        pos = Find(needle, pos, caseSensitive ? 0 : kFindIgnoreCase, needleLength);
        if (pos < 0)
            break;
        Delete(pos, needleLength);
        ++count;
    }
    return count;
}

int String::RemoveChar(char c, int start, int maxCount)
{
    if (start < 0)
        start = 0;
    int write = start, count = 0;
    for (int read = start; read < length_; ++read) {
        if (data_[read] == c && count < maxCount) {
            ++count;
            continue;
        }
        data_[write++] = data_[read];
    }
    if (count)
        SetLength(write);
    return count;
}

// ---------------------------------------------------------------- removing by set

int String::RemoveChars(const char* set, int start, int flags)
{
    const int setLength = measure(set);
    const bool fold = (flags & kFindIgnoreCase) != 0;
    const bool notInSet = (flags & kRemoveNotInSet) != 0;
    const bool firstOnly = (flags & kFindFirstOnly) != 0;
    const bool stopAtKept = (flags & kRemoveStopAtKept) != 0;
    const bool skipQuoted = (flags & kFindSkipQuoted) != 0;
    int removed = 0;

    if (flags & kFindBackwards) {
        // Deleting from the end moves only the bytes behind, which a trim does not have.
        for (int i = start < length_ - 1 ? start : length_ - 1; i >= 0; --i) {
            if (skipQuoted && data_[i] == '"') {
                i = nextQuote(data_, length_, i - 1, -1);
                if (i < 0)
                    break;
                continue;
            }
            if (inSet(set, setLength, static_cast<unsigned char>(data_[i]), fold) != notInSet) {
                Delete(i, 1);
                ++removed;
                if (firstOnly)
                    break;
            } else if (stopAtKept) {
                break;
            }
        }
        return removed;
    }

    // Forwards: the kept bytes are moved down over the deleted ones as the walk goes.
    if (start < 0)
        start = 0;
    int read = start, write = start;
    while (read < length_) {
        if (skipQuoted && data_[read] == '"') {
            int closing = nextQuote(data_, length_, read + 1, 1);
            int end = closing < 0 ? length_ : closing + 1;
            std::memmove(data_ + write, data_ + read, static_cast<size_t>(end - read));
            write += end - read;
            read = end;
            continue;
        }
        if (inSet(set, setLength, static_cast<unsigned char>(data_[read]), fold) != notInSet) {
            ++read;
            ++removed;
            if (firstOnly)
                break;
        } else {
            if (stopAtKept)
                break;
            data_[write++] = data_[read++];
        }
    }
    if (removed) {
        std::memmove(data_ + write, data_ + read, static_cast<size_t>(length_ - read));
        SetLength(write + length_ - read);
    }
    return removed;
}

int String::TrimLeft(const char* set)
{
    return RemoveChars(set, 0, kRemoveStopAtKept);
}

int String::TrimRight(const char* set)
{
    return RemoveChars(set, kNoLimit, kFindBackwards | kRemoveStopAtKept);
}

int String::TrimLeft()
{
    return TrimLeft(kWhitespace);
}

int String::TrimRight()
{
    return TrimRight(kWhitespace);
}

int String::Trim()
{
    int right = TrimRight();
    return right + TrimLeft();
}

int String::TrimTrailing(char c)
{
    int n = length_;
    while (n > 0 && data_[n - 1] == c)
        --n;
    int removed = length_ - n;
    if (removed)
        SetLength(n);
    return removed;
}

void String::ToUpper()
{
    for (int i = 0; i < length_; ++i)
        data_[i] = static_cast<char>(toUpper(static_cast<unsigned char>(data_[i])));
}

int String::NormaliseLineBreaks()
{
    // First pass: the number of changes and of inserted bytes.
    int changes = 0, inserted = 0;
    for (int i = 0; i < length_; ++i) {
        char c = data_[i];
        char next = i + 1 < length_ ? data_[i + 1] : 0;
        if (c == '\r') {
            if (next == '\n')
                ++i;
            else
                ++changes, ++inserted;
        } else if (c == '\n') {
            ++changes;
            if (next == '\r')
                ++i;
            else
                ++inserted;
        }
    }
    if (!changes)
        return 0;
    String result;
    result.SetLength(length_ + inserted);
    char* out = result.data_;
    for (int i = 0; i < length_; ++i) {
        char c = data_[i];
        char next = i + 1 < length_ ? data_[i + 1] : 0;
        if (c == '\r' || c == '\n') {
            *out++ = '\r';
            *out++ = '\n';
            if (next == (c == '\r' ? '\n' : '\r'))
                ++i;
        } else {
            *out++ = c;
        }
    }
    *this = static_cast<String&&>(result);
    return changes;
}
