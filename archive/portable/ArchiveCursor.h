#pragma once
// ArchiveCursor: the moving read position in the mapped archive, bounded by the end of the
// memory it was given (the archive section as the loader mapped it, or a buffer of file
// data). A read that would pass that end fails and leaves the cursor where it was; the
// engine then stops with kCorruptOverrun.

#include "core/String.h"

#include <cstdint>

class ArchiveCursor {
public:
    ArchiveCursor() = default;
    ArchiveCursor(const void* data, uint32_t size) { reset(data, size); }

    // Points the cursor at the first of size bytes at data.
    void reset(const void* data, uint32_t size)
    {
        begin_ = static_cast<const uint8_t*>(data);
        size_ = data ? size : 0;
        position_ = 0;
    }

    // The u32 stored little-endian at the cursor; advances 4. False (value unchanged) when
    // fewer than 4 bytes remain.
    bool readU32(uint32_t& value);
    // The zero-terminated text at the cursor, in place (not copied); advances past its zero.
    // False (text unchanged) when no zero byte comes before the end.
    bool readString(const char*& text);
    // Replaces destination's content with count bytes from the cursor; advances count. False
    // (destination unchanged) when count is negative or passes the end, or the copy cannot be
    // allocated.
    bool readBytes(int count, String& destination);
    // Advances count bytes; false (position unchanged) when that passes the end.
    bool skip(uint32_t count);

    const uint8_t* current() const { return begin_ + position_; }
    uint32_t position() const { return position_; }
    uint32_t remaining() const { return size_ - position_; }

private:
    const uint8_t* begin_ = nullptr;
    uint32_t size_ = 0;
    uint32_t position_ = 0;
};
