// MemoryStream: positioned reads and writes on bytes held in a String.
#include "core/MemoryStream.h"

#include <cstring>
#include <utility>

namespace {

// The largest size a stream can reach (the String's capacity is the room plus its reserve).
constexpr long long kSizeLimit = 0x7fffffffLL - 64;
// The smallest room a writing stream reserves.
constexpr int kMinimumRoom = 64;

} // namespace

bool MemoryStream::Read(void* buffer, int n)
{
    if (n == 0)
        return true;
    if (n < 0 || !buffer)
        return false;
    int available = size_ - position_;
    if (available < 0)
        available = 0;
    if (available > n)
        available = n;
    if (available > 0)
        std::memcpy(buffer, bytes_.Data() + position_, static_cast<size_t>(available));
    if (available < n)
        std::memset(static_cast<char*>(buffer) + available, 0, static_cast<size_t>(n - available));
    long long end = static_cast<long long>(position_) + n;
    position_ = end > kNoLimit ? kNoLimit : static_cast<int>(end);
    return available == n;
}

bool MemoryStream::prepareWrite(long long end)
{
    if (end > kSizeLimit)
        return false;
    if (end > bytes_.Length()) {
        long long room = bytes_.Length() + bytes_.Length() / 2;
        if (room < end)
            room = end;
        if (room < kMinimumRoom)
            room = kMinimumRoom;
        if (room > kSizeLimit)
            room = kSizeLimit;
        bytes_.SetLength(static_cast<int>(room));
    }
    if (position_ > size_)
        std::memset(bytes_.Data() + size_, 0, static_cast<size_t>(position_ - size_));
    return true;
}

bool MemoryStream::Write(const void* bytes, int n)
{
    if (n == 0)
        return true;
    if (n < 0 || !bytes)
        return false;
    const char* source = static_cast<const char*>(bytes);
    const char* base = bytes_.Data();
    long long ownOffset = -1;  // the source inside our own bytes moves with a reallocation
    if (base && source >= base && source < base + bytes_.Length())
        ownOffset = source - base;
    long long end = static_cast<long long>(position_) + n;
    if (!prepareWrite(end))
        return false;
    if (ownOffset >= 0)
        source = bytes_.Data() + ownOffset;
    std::memmove(bytes_.Data() + position_, source, static_cast<size_t>(n));
    position_ = static_cast<int>(end);
    if (position_ > size_)
        size_ = position_;
    return true;
}

bool MemoryStream::CopyWithin(int from, int n)
{
    if (from < 0 || n < 1 || static_cast<long long>(from) + n > position_ || position_ > size_)
        return false;
    long long end = static_cast<long long>(position_) + n;
    if (!prepareWrite(end))
        return false;
    char* data = bytes_.Data();
    std::memcpy(data + position_, data + from, static_cast<size_t>(n));
    position_ = static_cast<int>(end);
    if (position_ > size_)
        size_ = position_;
    return true;
}

bool MemoryStream::Fill(uint8_t byte, int n)
{
    if (n < 1)
        return false;
    long long end = static_cast<long long>(position_) + n;
    if (!prepareWrite(end))
        return false;
    std::memset(bytes_.Data() + position_, byte, static_cast<size_t>(n));
    position_ = static_cast<int>(end);
    if (position_ > size_)
        size_ = position_;
    return true;
}

bool MemoryStream::ReadU16(uint16_t& value)
{
    uint8_t b[2];
    bool ok = Read(b, 2);
    value = static_cast<uint16_t>(b[0] | b[1] << 8);
    return ok;
}

bool MemoryStream::ReadU32(uint32_t& value)
{
    uint8_t b[4];
    bool ok = Read(b, 4);
    value = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
    return ok;
}

bool MemoryStream::WriteU16(uint16_t value)
{
    uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return Write(b, 2);
}

bool MemoryStream::WriteU32(uint32_t value)
{
    uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                    static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return Write(b, 4);
}

bool MemoryStream::Seek(int p)
{
    if (p < 0 || p > size_)
        return false;
    position_ = p;
    return true;
}

bool MemoryStream::SeekFromEnd(int d)
{
    long long p = static_cast<long long>(size_) + d;
    if (p < 0 || p > size_)
        return false;
    position_ = static_cast<int>(p);
    return true;
}

void MemoryStream::Truncate()
{
    if (position_ < size_)
        size_ = position_;
}

void MemoryStream::Reset()
{
    bytes_.Clear();
    size_ = 0;
    position_ = 0;
}

void MemoryStream::Assign(const void* data, int n)
{
    if (n < 1 || !data) {
        Reset();
        return;
    }
    const char* source = static_cast<const char*>(data);
    const char* base = bytes_.Data();
    if (base && source >= base && source < base + bytes_.Length()) {
        std::memmove(bytes_.Data(), source, static_cast<size_t>(n));
    } else {
        bytes_.SetLength(n);
        std::memcpy(bytes_.Data(), source, static_cast<size_t>(n));
    }
    size_ = n;
    position_ = 0;
}

void MemoryStream::CopyBytes(String& out) const
{
    out.Assign(bytes_.Data(), size_);
}

void MemoryStream::TakeBytes(String& out)
{
    bytes_.SetLength(size_);
    out = std::move(bytes_);
    Reset();
}

bool MemoryStream::Reserve(int n)
{
    if (n > kSizeLimit)
        return false;
    if (n > bytes_.Length())
        bytes_.SetLength(n);
    return true;
}
