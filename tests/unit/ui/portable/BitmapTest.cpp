#include "ui/portable/Bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

void put16(std::string& b, size_t at, uint32_t v)
{
    if (b.size() < at + 2)
        b.resize(at + 2, '\0');
    b[at] = static_cast<char>(v & 0xff);
    b[at + 1] = static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& b, size_t at, uint32_t v)
{
    put16(b, at, v & 0xffff);
    put16(b, at + 2, v >> 16);
}

// An info header (40 bytes) with the given fields, palette and pixel bytes appended.
std::string infoBitmap(int32_t width, int32_t height, int bits, uint32_t compression,
                       uint32_t coloursUsed, size_t paletteAndPixels)
{
    std::string b(40, '\0');
    put32(b, 0, 40);
    put32(b, 4, static_cast<uint32_t>(width));
    put32(b, 8, static_cast<uint32_t>(height));
    put16(b, 12, 1);
    put16(b, 14, static_cast<uint32_t>(bits));
    put32(b, 16, compression);
    put32(b, 32, coloursUsed);
    b.append(paletteAndPixels, '\x55');
    return b;
}

std::string coreBitmap(int width, int height, int bits, size_t paletteAndPixels)
{
    std::string b(12, '\0');
    put32(b, 0, 12);
    put16(b, 4, static_cast<uint32_t>(width));
    put16(b, 6, static_cast<uint32_t>(height));
    put16(b, 8, 1);
    put16(b, 10, static_cast<uint32_t>(bits));
    b.append(paletteAndPixels, '\x55');
    return b;
}

bool parse(Bitmap& bitmap, const std::string& bytes)
{
    String s(bytes.data(), static_cast<int>(bytes.size()));
    return bitmap.parse(s);
}

std::string fileOf(const std::string& dib, uint32_t pixelOffset)
{
    std::string f(14, '\0');
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 2, static_cast<uint32_t>(dib.size() + 14));
    put32(f, 10, pixelOffset + 14);
    return f + dib;
}

} // namespace

TEST(Bitmap, ReadsTheHeaderKinds)
{
    struct Case {
        const char* name;
        std::string bytes;
        int width, height, bits, entries, entrySize, pixelOffset;
    };
    const Case cases[] = {
        // 2 x 2 at 24 bits: rows of 8 bytes.
        {"info 24", infoBitmap(2, 2, 24, 0, 0, 16), 2, 2, 24, 0, 4, 40},
        {"info 8, palette implied", infoBitmap(4, 1, 8, 0, 0, 256 * 4 + 4), 4, 1, 8, 256, 4, 40 + 1024},
        {"info 8, colours used", infoBitmap(4, 1, 8, 0, 3, 3 * 4 + 4), 4, 1, 8, 3, 4, 52},
        {"info top-down", infoBitmap(1, -3, 32, 0, 0, 12), 1, -3, 32, 0, 4, 40},
        {"bit fields: three masks", infoBitmap(2, 1, 16, 3, 0, 12 + 4), 2, 1, 16, 0, 4, 52},
        {"core 1 bit", coreBitmap(8, 2, 1, 2 * 3 + 8), 8, 2, 1, 2, 3, 18},
        {"core 24", coreBitmap(1, 1, 24, 4), 1, 1, 24, 0, 3, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap b;
        ASSERT_TRUE(parse(b, c.bytes));
        EXPECT_TRUE(b.loaded());
        EXPECT_EQ(b.width(), c.width);
        EXPECT_EQ(b.height(), c.height);
        EXPECT_EQ(b.bitsPerPixel(), c.bits);
        EXPECT_EQ(b.paletteEntries(), c.entries);
        EXPECT_EQ(b.paletteEntrySize(), c.entrySize);
        EXPECT_EQ(b.pixelOffset(), c.pixelOffset);
        EXPECT_EQ(b.bytes().Length(), static_cast<int>(c.bytes.size()));
    }
}

TEST(Bitmap, RefusesUnknownShortAndOverrunningHeaders)
{
    std::string v5 = infoBitmap(2, 2, 24, 0, 0, 16 + 68);
    put32(v5, 0, 108);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"header size 108", v5},
        {"12 bytes only", coreBitmap(1, 1, 24, 0)},
        {"info header cut short", infoBitmap(2, 2, 24, 0, 0, 0).substr(0, 30)},
        {"pixels missing", infoBitmap(2, 2, 24, 0, 0, 15)},
        {"palette past the end", infoBitmap(1, 1, 8, 0, 0x40000000, 64)},
        {"no width", infoBitmap(0, 2, 24, 0, 0, 16)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap b;
        ASSERT_TRUE(parse(b, infoBitmap(2, 2, 24, 0, 0, 16)));
        EXPECT_FALSE(parse(b, c.bytes));
        EXPECT_FALSE(b.loaded());  // a refused bitmap leaves none behind
        EXPECT_EQ(b.bytes().Length(), 0);
    }
}

TEST(Bitmap, FileHeaderRoundTrips)
{
    const std::string dib = infoBitmap(4, 1, 8, 0, 2, 2 * 4 + 4);
    const std::string file = fileOf(dib, 48);
    Bitmap b;
    ASSERT_TRUE(b.parseFile(file.data(), static_cast<int>(file.size())));
    EXPECT_EQ(b.pixelOffset(), 48);
    const String header = b.fileHeader();
    EXPECT_EQ(std::string(header.CStr(), header.Length()) + std::string(b.bytes().CStr(), b.bytes().Length()), file);
}

TEST(Bitmap, RefusesFilesWithoutTheirHeaderOrTheirBytes)
{
    const std::string dib = infoBitmap(2, 2, 24, 0, 0, 16);
    std::string notBm = fileOf(dib, 40);
    notBm[0] = 'M';
    notBm[1] = 'B';
    const std::string truncated = fileOf(dib, 40).substr(0, 60);
    Bitmap b;
    EXPECT_FALSE(b.parseFile(notBm.data(), static_cast<int>(notBm.size())));
    EXPECT_FALSE(b.parseFile(truncated.data(), static_cast<int>(truncated.size())));
    EXPECT_FALSE(b.parseFile("BM", 2));
    EXPECT_EQ(Bitmap::bytesAfterFileHeader("BM\x0d\0\0\0\0\0\0\0\0\0\0\0"), -1);  // less than 14
    EXPECT_FALSE(b.loaded());
}
