#include "tools/uidriver/Buffer.h"

#include "platform/Win32.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

Buffer::~Buffer() { free(data_); }

void Buffer::Grow(int extra) {
    if (length_ + extra + 1 <= capacity_) return;
    int capacity = capacity_ ? capacity_ : 256;
    while (capacity < length_ + extra + 1) capacity *= 2;
    char* data = static_cast<char*>(realloc(data_, capacity));
    if (!data) {
        fputs("uidriver: out of memory\n", stderr);
        ExitProcess(123);
    }
    data_ = data;
    capacity_ = capacity;
}

void Buffer::Append(const char* bytes, int n) {
    if (n <= 0) return;
    Grow(n);
    memcpy(data_ + length_, bytes, n);
    length_ += n;
    data_[length_] = 0;
}

void Buffer::Append(const char* text) { Append(text, static_cast<int>(strlen(text))); }

void Buffer::AppendByte(uint8_t b) { Append(reinterpret_cast<const char*>(&b), 1); }

void Buffer::AppendU32BigEndian(uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) AppendByte(static_cast<uint8_t>(v >> shift));
}

void Buffer::AppendU16Little(uint16_t v) {
    AppendByte(static_cast<uint8_t>(v));
    AppendByte(static_cast<uint8_t>(v >> 8));
}

void Buffer::AppendU32Little(uint32_t v) {
    AppendU16Little(static_cast<uint16_t>(v));
    AppendU16Little(static_cast<uint16_t>(v >> 16));
}

void Buffer::Format(const char* format, ...) {
    char small[512];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0) return;
    if (n < static_cast<int>(sizeof small)) {
        Append(small, n);
        return;
    }
    Grow(n);
    va_start(args, format);
    vsnprintf(data_ + length_, n + 1, format, args);
    va_end(args);
    length_ += n;
}

void Buffer::AppendJsonString(const char* ansiText) {
    AppendByte('"');
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(ansiText); *p; ++p) {
        unsigned char c = *p;
        if (c == '"' || c == '\\') {
            AppendByte('\\');
            AppendByte(c);
        } else if (c == '\n') {
            Append("\\n");
        } else if (c == '\r') {
            Append("\\r");
        } else if (c == '\t') {
            Append("\\t");
        } else if (c < 0x20) {
            Format("\\u%04x", c);
        } else if (c < 0x80) {
            AppendByte(c);
        } else {
            // One ANSI byte (double-byte code pages: a lead byte and its trail byte).
            int n = (IsDBCSLeadByte(c) && p[1]) ? 2 : 1;
            WCHAR wide[2];
            int w = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(p), n, wide, 2);
            for (int i = 0; i < w; ++i) Format("\\u%04x", static_cast<unsigned>(wide[i]));
            if (w == 0) Append("\\ufffd");
            p += n - 1;
        }
    }
    AppendByte('"');
}
