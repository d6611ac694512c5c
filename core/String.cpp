// String: storage, assignment, splicing and formatting.
#include "core/String.h"

#include "core/FormatExpansion.h"
#include "core/OutOfMemory.h"
#include "core/StringBytes.h"

#include <cstring>

namespace {

// Bytes allocated beyond the length when the buffer must grow.
constexpr int kReserve = 21;
// A string shrinks in place until it is more than this many bytes below its capacity.
constexpr int kShrinkSlack = 512;
// Most bytes that one formatting appends.
constexpr int kFormatLimit = 65535;

} // namespace

using stringbytes::measure;

// ---------------------------------------------------------------- construction

String::String(const char* text) : String()
{
    Assign(text);
}

String::String(const String& other) : String()
{
    Assign(other);
}

String::String(String&& other) noexcept
    : data_(other.data_), length_(other.length_), capacity_(other.capacity_)
{
    other.data_ = nullptr;
    other.length_ = 0;
    other.capacity_ = 0;
}

String::String(const char* bytes, int n) : String()
{
    Assign(bytes, n);
}

String::String(char c) : String()
{
    Append(c);
}

String::~String()
{
    releaseMemory(data_);
}

String& String::operator=(const String& other)
{
    Assign(other);
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    if (this != &other) {
        releaseMemory(data_);
        data_ = other.data_;
        length_ = other.length_;
        capacity_ = other.capacity_;
        other.data_ = nullptr;
        other.length_ = 0;
        other.capacity_ = 0;
    }
    return *this;
}

String& String::operator=(const char* text)
{
    Assign(text);
    return *this;
}

const char* String::emptyText()
{
    static const char empty[1] = {0};
    return empty;
}

// ---------------------------------------------------------------- size and buffer

void String::Clear()
{
    releaseMemory(data_);
    data_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

bool String::resize(int n, bool fatalOnFailure)
{
    if (n < 1) {
        Clear();
        return true;
    }
    if (n == length_ && data_)
        return true;
    if (n >= capacity_ || n < capacity_ - kShrinkSlack) {
        size_t size = static_cast<size_t>(n) + kReserve;
        char* moved;
        if (fatalOnFailure) {
            moved = static_cast<char*>(reallocateMemory(data_, size));
        } else {
            OutOfMemoryHandlerOff off;
            moved = static_cast<char*>(reallocateMemory(data_, size));
        }
        if (!moved)
            return false;
        data_ = moved;
        capacity_ = static_cast<int>(size);
    }
    length_ = n;
    data_[n] = 0;
    return true;
}

void String::SetLength(int n)
{
    resize(n, true);
}

bool String::TrySetLength(int n)
{
    return resize(n, false);
}

bool String::EnsureLength(int n)
{
    if (n < capacity_) {
        if (length_ < n) {
            length_ = n;
            data_[n] = 0;
        }
        return false;
    }
    SetLength(n);
    return true;
}

char* String::Reserve(int extra)
{
    if (extra < 0 || extra > kNoLimit - length_)
        return nullptr;
    int old = length_;
    if (!TrySetLength(old + extra))
        return nullptr;
    return data_ ? data_ + old : nullptr;
}

void String::Shrink(int n)
{
    SetLength(length_ - n);
}

char* String::Detach()
{
    char* block = data_;
    data_ = nullptr;
    length_ = 0;
    capacity_ = 0;
    return block;
}

// ---------------------------------------------------------------- assigning

void String::Assign(const char* text)
{
    Assign(text, kNoLimit);
}

void String::Assign(const char* source, int n)
{
    if (n == kNoLimit)
        n = measure(source);
    if (n < 1 || !source) {
        Clear();
        return;
    }
    if (data_ && source >= data_ && source < data_ + capacity_) {
        if (source == data_ && n == length_)
            return;
        char* fresh = static_cast<char*>(allocateMemory(static_cast<size_t>(n) + kReserve));
        std::memcpy(fresh, source, static_cast<size_t>(n));
        fresh[n] = 0;
        releaseMemory(data_);
        data_ = fresh;
        length_ = n;
        capacity_ = n + kReserve;
        return;
    }
    Splice(0, kNoLimit, source, n);
}

void String::Assign(const String& other)
{
    if (&other == this)
        return;
    if (other.length_ < 1)
        Clear();
    else
        Splice(0, kNoLimit, other.data_, other.length_);
}

bool String::AssignBytes(const void* bytes, int n)
{
    if (n < 1 || !bytes) {
        Clear();
        return true;
    }
    const char* source = static_cast<const char*>(bytes);
    if (data_ && source >= data_ && source < data_ + capacity_) {
        String copy(source, n);
        *this = static_cast<String&&>(copy);
        return true;
    }
    if (!TrySetLength(n))
        return false;
    std::memcpy(data_, bytes, static_cast<size_t>(n));
    return true;
}

void String::AssignMax(const char* text, int max)
{
    int n = 0;
    if (text)
        while (n < max && text[n])
            ++n;
    Assign(text, n);
}

// ---------------------------------------------------------------- splicing

bool String::Splice(int pos, int count, const char* source, int sourceLength)
{
    if (pos < 0 || pos > length_)
        return false;
    if (!source)
        sourceLength = 0;
    if (count > 0) {
        if (sourceLength < 0)
            return false;
        if (count > length_ - pos)
            count = length_ - pos;
    } else {
        if (sourceLength < 1)
            return false;
        count = 0;
    }

    // A source inside the own buffer would move or be released below: copy it first.
    String copy;
    if (sourceLength > 0 && data_ && source >= data_ && source < data_ + capacity_) {
        copy.SetLength(sourceLength);
        std::memcpy(copy.data_, source, static_cast<size_t>(sourceLength));
        source = copy.data_;
    }

    int tail = length_ - (pos + count);
    if (tail > 0) {
        if (sourceLength > count) {
            SetLength(length_ - count + sourceLength);
            std::memmove(data_ + pos + sourceLength, data_ + pos + count,
                         static_cast<size_t>(tail) + 1);
        } else if (sourceLength < count) {
            std::memmove(data_ + pos + sourceLength, data_ + pos + count,
                         static_cast<size_t>(tail) + 1);
            SetLength(length_ - count + sourceLength);
        }
    } else {
        SetLength(pos + sourceLength);
    }
    if (sourceLength > 0)
        std::memcpy(data_ + pos, source, static_cast<size_t>(sourceLength));
    return true;
}

bool String::Append(char c)
{
    return Splice(length_, 0, &c, 1);
}

bool String::Append(const char* text)
{
    return Splice(length_, 0, text, measure(text));
}

bool String::Append(const String& other)
{
    return Splice(length_, 0, other.data_, other.length_);
}

bool String::Append(const char* bytes, int n)
{
    if (n == kNoLimit)
        n = measure(bytes);
    return Splice(length_, 0, bytes, n);
}

// ---------------------------------------------------------------- formatting

void String::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatArgs(format, args);
    va_end(args);
}

void String::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatArgs(format, args);
    va_end(args);
}

void String::FormatArgs(const char* format, va_list args)
{
    Clear();
    AppendFormatArgs(format, args);
}

void String::AppendFormatArgs(const char* format, va_list args)
{
    if (!format)
        return;
    if (!appendExpansion(*this, kFormatLimit, format, args))
        Append(format);
}
