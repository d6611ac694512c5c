#include "tools/uidriver/Screenshot.h"

#include "tools/uidriver/Buffer.h"

#include <cstdio>
#include <cstring>

namespace {

uint32_t crcTable[256];

uint32_t crc32(const uint8_t* p, int n, uint32_t crc = 0) {
    if (!crcTable[1]) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            crcTable[i] = c;
        }
    }
    crc = ~crc;
    for (int i = 0; i < n; ++i) crc = crcTable[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void chunk(Buffer& png, const char* type, const Buffer& data) {
    png.AppendU32BigEndian(static_cast<uint32_t>(data.Length()));
    int start = png.Length();
    png.Append(type, 4);
    png.Append(data.Text(), data.Length());
    png.AppendU32BigEndian(crc32(png.Bytes() + start, png.Length() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks: no compressor needed, any viewer reads it.
void storedZlib(const Buffer& raw, Buffer& out) {
    out.AppendByte(0x78);
    out.AppendByte(0x01);
    const uint8_t* p = raw.Bytes();
    int left = raw.Length();
    do {
        int n = left > 65535 ? 65535 : left;
        out.AppendByte(n == left ? 1 : 0);
        out.AppendU16Little(static_cast<uint16_t>(n));
        out.AppendU16Little(static_cast<uint16_t>(~n));
        out.Append(reinterpret_cast<const char*>(p), n);
        p += n;
        left -= n;
    } while (left > 0);
    uint32_t a = 1, b = 0;
    for (int i = 0; i < raw.Length(); ++i) {
        a = (a + raw.Bytes()[i]) % 65521;
        b = (b + a) % 65521;
    }
    out.AppendU32BigEndian((b << 16) | a);
}

}  // namespace

bool SaveWindowPng(HWND window, const char* path) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192) return false;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap && bits;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        SelectObject(memory, old);
    }
    Buffer raw;
    if (ok) {
        const uint8_t* px = static_cast<const uint8_t*>(bits);
        for (int y = 0; y < h; ++y) {
            raw.AppendByte(0);  // filter: none
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = px + (static_cast<size_t>(y) * w + x) * 4;  // B G R X
                raw.AppendByte(p[2]);
                raw.AppendByte(p[1]);
                raw.AppendByte(p[0]);
            }
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!ok) return false;

    Buffer png, header, data, none;
    png.Append("\x89PNG\r\n\x1a\n", 8);
    header.AppendU32BigEndian(static_cast<uint32_t>(w));
    header.AppendU32BigEndian(static_cast<uint32_t>(h));
    header.Append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter set, no interlace
    chunk(png, "IHDR", header);
    storedZlib(raw, data);
    chunk(png, "IDAT", data);
    chunk(png, "IEND", none);

    FILE* f = fopen(path, "wb");
    if (!f) return false;
    bool written = fwrite(png.Text(), 1, png.Length(), f) == static_cast<size_t>(png.Length());
    return fclose(f) == 0 && written;
}
