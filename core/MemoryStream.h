#pragma once
// MemoryStream: bytes in memory with a read/write position; a Stream, so the String readers
// and writers of core/String.h work on it.
//
// The position may lie behind the end after a read that passed it; a write there first fills
// the gap with zero bytes. The bytes are held in a String whose length is the room reserved
// (grown by half at a time, so that writing byte by byte stays linear); Size() is the number
// of bytes written or loaded.

#include "core/Stream.h"
#include "core/String.h"

#include <cstdint>

class MemoryStream : public Stream {
public:
    MemoryStream() {}
    // A stream over a copy of bytes, positioned at 0.
    explicit MemoryStream(const String& bytes) { Assign(bytes); }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    // Copies n bytes at the position into buffer and advances the position by n. When fewer
    // than n bytes are left, the available ones are copied, the rest of the n bytes of buffer
    // are zeroed, the position still advances by n and the result is false. n = 0: true;
    // n < 0 or a null buffer with n > 0: false, nothing changed.
    bool Read(void* buffer, int n) override;
    // Writes n bytes at the position (the source may lie in this stream's own bytes), raising
    // the size to at least the new position, and advances the position by n. n = 0: true;
    // n < 0, a null source with n > 0 or a new position beyond 2 GB: false, nothing changed.
    bool Write(const void* bytes, int n) override;

    // Writes, at the position, a copy of the n bytes at from: requires from >= 0, n > 0,
    // from + n <= Position() <= Size(), so the copy never reads what it writes. False,
    // nothing changed, otherwise.
    bool CopyWithin(int from, int n);
    // Writes n copies of byte at the position; false for n < 1 (nothing changed).
    bool Fill(uint8_t byte, int n);

    // Little-endian numbers at the position, as Read / Write of their bytes (a short read
    // gives the zero-filled value and false).
    bool ReadU8(uint8_t& value) { return Read(&value, 1); }
    bool ReadU16(uint16_t& value);
    bool ReadU32(uint32_t& value);
    bool WriteU8(uint8_t value) { return Write(&value, 1); }
    bool WriteU16(uint16_t value);
    bool WriteU32(uint32_t value);

    // Moves the position to p; false (unchanged) unless 0 <= p <= Size().
    bool Seek(int p);
    // Seek(Size() + d).
    bool SeekFromEnd(int d);
    int Position() const { return position_; }
    int Size() const { return size_; }
    // The bytes, Size() of them; null when the stream has none.
    const char* Data() const { return size_ > 0 ? bytes_.Data() : nullptr; }
    // Cuts the bytes at the position (nothing when the position is at or behind the end).
    void Truncate();
    // Position 0, no bytes, memory released.
    void Reset();

    // Replaces the bytes with a copy of bytes / of n bytes at data (n < 1 or null: none);
    // position 0.
    void Assign(const String& bytes) { Assign(bytes.Data(), bytes.Length()); }
    void Assign(const void* data, int n);
    // out receives a copy of the bytes (replaced).
    void CopyBytes(String& out) const;
    // out receives the bytes without copying (replaced); the stream is Reset.
    void TakeBytes(String& out);
    // Reserves room for a size of n bytes (the size does not change); false when n is
    // beyond 2 GB.
    bool Reserve(int n);

private:
    // Makes the room at least end bytes and zeroes a gap between the size and the position;
    // false for an end beyond the limit.
    bool prepareWrite(long long end);

    String bytes_;
    int size_ = 0;
    int position_ = 0;
};
