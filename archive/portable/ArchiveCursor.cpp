#include "archive/portable/ArchiveCursor.h"

#include "archive/format/ArchiveFormat.h"

#include <cstring>

bool ArchiveCursor::readU32(uint32_t& value)
{
    if (remaining() < 4)
        return false;
    value = loadU32(current());
    position_ += 4;
    return true;
}

bool ArchiveCursor::readString(const char*& text)
{
    const void* zero = remaining() ? std::memchr(current(), 0, remaining()) : nullptr;
    if (!zero)
        return false;
    text = reinterpret_cast<const char*>(current());
    position_ = static_cast<uint32_t>(static_cast<const uint8_t*>(zero) - begin_) + 1;
    return true;
}

bool ArchiveCursor::readBytes(int count, String& destination)
{
    if (count < 0 || static_cast<uint32_t>(count) > remaining())
        return false;
    if (!destination.AssignBytes(current(), count))
        return false;
    position_ += static_cast<uint32_t>(count);
    return true;
}

bool ArchiveCursor::skip(uint32_t count)
{
    if (count > remaining())
        return false;
    position_ += count;
    return true;
}
