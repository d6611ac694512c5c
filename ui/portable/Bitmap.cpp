#include "ui/portable/Bitmap.h"

namespace {

constexpr int kCoreHeader = 12;
constexpr int kInfoHeader = 40;
constexpr int kBitFieldsHeader = 52;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;


uint32_t u16(const char* data, int at)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data) + at;
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}

uint32_t u32(const char* data, int at)
{
    return u16(data, at) | (u16(data, at + 2) << 16);
}

} // namespace

void Bitmap::clear()
{
    bytes_.Clear();
    width_ = height_ = bits_ = entries_ = entrySize_ = pixelOffset_ = 0;
}

bool Bitmap::parse(String& bytes)
{
    clear();
    bytes_ = static_cast<String&&>(bytes);
    if (!readHeader()) {
        clear();
        return false;
    }
    return true;
}

bool Bitmap::readHeader()
{
    const int n = bytes_.Length();
    if (n <= kCoreHeader)
        return false;
    const char* d = bytes_.CStr();
    const uint32_t headerSize = u32(d, 0);
    int64_t width, height, entries;
    int header, entrySize, bits;
    uint32_t compression = kCompressionNone;
    if (headerSize == kCoreHeader) {
        width = u16(d, 4);
        height = u16(d, 6);
        bits = static_cast<int>(u16(d, 10));
        entries = bits < 24 ? (int64_t(1) << (bits & 31)) : 0;
        entrySize = 3;
        header = kCoreHeader;
    } else if (headerSize == kInfoHeader && n >= kInfoHeader) {
        width = static_cast<int32_t>(u32(d, 4));
        height = static_cast<int32_t>(u32(d, 8));
        bits = static_cast<int>(u16(d, 14));
        compression = u32(d, 16);
        entries = u32(d, 32);
        if (entries == 0 && bits < 16)
            entries = int64_t(1) << (bits & 31);
        entrySize = 4;
        header = compression == kCompressionBitFields ? kBitFieldsHeader : kInfoHeader;
    } else {
        return false;
    }
    const int64_t rows = height < 0 ? -height : height;
    if (width < 1 || rows < 1 || bits < 1 || bits > 32)
        return false;
    const int64_t offset = header + entries * entrySize;
    if (offset > n)
        return false;
    if (compression == kCompressionNone || compression == kCompressionBitFields) {
        const int64_t rowBytes = ((width * bits + 31) / 32) * 4;
        if (rowBytes * rows > n - offset)
            return false;
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    bits_ = bits;
    entries_ = static_cast<int>(entries);
    entrySize_ = entrySize;
    pixelOffset_ = static_cast<int>(offset);
    return true;
}

int64_t Bitmap::bytesAfterFileHeader(const char* header14)
{
    if (header14[0] != 'B' || header14[1] != 'M')
        return -1;
    const int64_t rest = static_cast<int64_t>(u32(header14, 2)) - kBitmapFileHeaderSize;
    return rest > kCoreHeader ? rest : -1;
}

bool Bitmap::parseFile(const char* data, int n)
{
    clear();
    if (n < kBitmapFileHeaderSize)
        return false;
    const int64_t rest = bytesAfterFileHeader(data);
    if (rest < 0 || rest > n - kBitmapFileHeaderSize)
        return false;
    String bytes;
    if (!bytes.AssignBytes(data + kBitmapFileHeaderSize, static_cast<int>(rest)))
        return false;
    return parse(bytes);
}

String Bitmap::fileHeader() const
{
    String header;
    if (!loaded())
        return header;
    header.SetLength(kBitmapFileHeaderSize);
    header.ByteAt(0)[0] = 'B';
    header.ByteAt(1)[0] = 'M';
    header.WriteU32At(2, static_cast<uint32_t>(bytes_.Length()) + kBitmapFileHeaderSize);
    header.WriteU32At(6, 0);
    header.WriteU32At(10, static_cast<uint32_t>(pixelOffset_) + kBitmapFileHeaderSize);
    return header;
}
