#pragma once
// Bitmap: a device-independent bitmap held as one String of bytes (header, palette, pixels),
// as read from a ".BMP" file without its 14-byte file header.

#include "core/String.h"

#include <cstdint>

constexpr int kBitmapFileHeaderSize = 14;

class Bitmap {
public:
    Bitmap() {}
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Takes the bytes (header, palette, pixels) and reads the header. Core headers (12 bytes)
    // and info headers (40 bytes; with bit fields, three 32-bit masks follow) are understood.
    // True when the bitmap is usable: a known header that fits in the bytes, a width and
    // height of at least 1, and the palette and (uncompressed) pixel rows inside the bytes.
    // On false the bitmap is cleared. bytes is left empty either way.
    bool parse(String& bytes);
    // A file's bytes: the 14-byte file header (type "BM") followed by what parse takes.
    // False (bitmap cleared) when the header is missing or wrong, or parse fails.
    bool parseFile(const char* data, int n);
    void clear();

    // The size of the rest of the file a file header announces (file size - 14); -1 when the
    // 14 bytes are not a file header ("BM") or announce less than a header.
    static int64_t bytesAfterFileHeader(const char* header14);

    // The 14-byte file header for these bytes: "BM", bytes + 14, two zero words, pixel
    // offset + 14. Empty when no bitmap is loaded.
    String fileHeader() const;

    bool loaded() const { return width_ >= 1; }
    int width() const { return width_; }
    int height() const { return height_; }  // negative: rows stored top-down
    int bitsPerPixel() const { return bits_; }
    int paletteEntries() const { return entries_; }
    int paletteEntrySize() const { return entrySize_; }
    int pixelOffset() const { return pixelOffset_; }
    const String& bytes() const { return bytes_; }

private:
    bool readHeader();

    String bytes_;
    int width_ = 0, height_ = 0, bits_ = 0, entries_ = 0, entrySize_ = 0, pixelOffset_ = 0;
};
