// Strings on a byte stream: length-prefixed and NUL-terminated texts.
#include "core/String.h"

#include "core/Stream.h"

#include <cstring>

namespace {

// Reads exactly n bytes into out (replacing it). A failed read, or a length that cannot be
// allocated, clears out.
bool readInto(Stream& stream, String& out, int n)
{
    if (n < 1) {
        out.Clear();
        return true;
    }
    if (!out.TrySetLength(n) || !stream.Read(out.Data(), n)) {
        out.Clear();
        return false;
    }
    return true;
}

} // namespace

bool ReadByteString(Stream& stream, String& out)
{
    unsigned char n = 0;
    if (!stream.Read(&n, 1))
        return false;
    return readInto(stream, out, n);
}

bool ReadWordString(Stream& stream, String& out)
{
    unsigned char b[2];
    if (!stream.Read(b, 2))
        return false;
    return readInto(stream, out, b[0] | b[1] << 8);
}

bool ReadLongString(Stream& stream, String& out)
{
    unsigned char b[4];
    if (!stream.Read(b, 4))
        return false;
    uint32_t n = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    if (n > 0x7fffffffu)
        return false;
    return readInto(stream, out, static_cast<int>(n));
}

bool ReadZString(Stream& stream, String& out)
{
    out.Clear();
    for (;;) {
        char c;
        if (!stream.Read(&c, 1)) {
            out.Clear();
            return false;
        }
        if (c == 0)
            return true;
        out.Append(c);
    }
}

bool WriteByteString(Stream& stream, const String& text, int max)
{
    int n = text.Length();
    if (max < n)
        n = max;
    if (n > 255)
        n = 255;
    if (n < 0)
        n = 0;
    unsigned char length = static_cast<unsigned char>(n);
    if (!stream.Write(&length, 1))
        return false;
    return n == 0 || stream.Write(text.Data(), n);
}

bool WriteText(Stream& stream, const String& text)
{
    return text.Length() < 1 || stream.Write(text.Data(), text.Length());
}

bool ReadBytes(Stream& stream, String& out, int n)
{
    if (n < 1)
        return true;
    int old = out.Length();
    char* at = out.Reserve(n);
    if (!at)
        return false;
    if (!stream.Read(at, n)) {
        out.SetLength(old);
        return false;
    }
    return true;
}
