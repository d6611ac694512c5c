#include "ui/BackgroundBitmap.h"

#include "platform/Handle.h"
#include "platform/Win32.h"

Bitmap& backgroundBitmap()
{
    static Bitmap bitmap;
    return bitmap;
}

bool LoadBitmapFile(const char* path)
{
    Bitmap& bitmap = backgroundBitmap();
    bitmap.clear();
    Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    char header[kBitmapFileHeaderSize];
    DWORD got = 0;
    if (!ReadFile(file.get(), header, sizeof header, &got, nullptr) || got != sizeof header)
        return false;
    const int64_t rest = Bitmap::bytesAfterFileHeader(header);
    if (rest < 0 || rest > 0x7ffffff0)
        return false;
    String bytes;
    if (!bytes.TrySetLength(static_cast<int>(rest)))
        return false;
    if (!ReadFile(file.get(), bytes.Data(), static_cast<DWORD>(rest), &got, nullptr) || got != rest)
        return false;
    return bitmap.parse(bytes);
}

bool LoadBitmapBytes(const char* bytes, int n)
{
    Bitmap& bitmap = backgroundBitmap();
    if (n >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return bitmap.parseFile(bytes, n);
    String copy;
    if (n < 1 || !copy.AssignBytes(bytes, n)) {
        bitmap.clear();
        return false;
    }
    return bitmap.parse(copy);
}

bool SaveBitmapFile(const char* path)
{
    const Bitmap& bitmap = backgroundBitmap();
    if (!bitmap.loaded())
        return false;
    Handle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    const String header = bitmap.fileHeader();
    DWORD written = 0;
    bool ok = WriteFile(file.get(), header.CStr(), header.Length(), &written, nullptr) &&
              written == static_cast<DWORD>(header.Length());
    ok = ok && WriteFile(file.get(), bitmap.bytes().CStr(), bitmap.bytes().Length(), &written, nullptr) &&
         written == static_cast<DWORD>(bitmap.bytes().Length());
    return ok;
}

void DrawBitmap(HDC dc, const RECT& rect, unsigned long rasterOperation)
{
    const Bitmap& bitmap = backgroundBitmap();
    if (!bitmap.loaded())
        return;
    const char* data = bitmap.bytes().CStr();
    StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left + 1, rect.bottom - rect.top + 1, 0, 0,
                  bitmap.width(), bitmap.height() < 0 ? -bitmap.height() : bitmap.height(),
                  data + bitmap.pixelOffset(), reinterpret_cast<const BITMAPINFO*>(data), DIB_RGB_COLORS,
                  rasterOperation);
}
