#pragma once
// Buffer: a growable byte buffer for the JSON lines and file contents uidriver writes.
// Always NUL-terminated; allocation failure ends the program (a test tool, no recovery).

#include <cstdint>

class Buffer {
public:
    Buffer() {}
    ~Buffer();
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    const char* Text() const { return data_ ? data_ : ""; }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(Text()); }
    int Length() const { return length_; }
    void Clear() { length_ = 0; if (data_) data_[0] = 0; }

    void Append(const char* bytes, int n);
    void Append(const char* text);
    void AppendByte(uint8_t b);
    void AppendU32BigEndian(uint32_t v);
    void AppendU16Little(uint16_t v);
    void AppendU32Little(uint32_t v);
    // printf-style, appended.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The ANSI text as a JSON string literal with its quotes; characters outside ASCII are
    // converted from the ANSI code page and written as \u escapes.
    void AppendJsonString(const char* ansiText);

private:
    void Grow(int extra);
    char* data_ = nullptr;
    int length_ = 0;
    int capacity_ = 0;
};
