#pragma once
// PositionedReader: reads bytes at a given offset of a file (or of anything like one).

#include <cstdint>

class PositionedReader {
public:
    // Copies exactly count bytes from offset into destination. False when they cannot all be
    // read (destination may then hold a part of them). count 0: true.
    virtual bool readAt(uint32_t offset, void* destination, int count) = 0;

protected:
    ~PositionedReader() = default;
};
