#pragma once
// MemoryReader: a PositionedReader over bytes held by the test, standing in for a file.

#include "archive/portable/PositionedReader.h"

#include <cstring>
#include <vector>

class MemoryReader : public PositionedReader {
public:
    explicit MemoryReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool readAt(uint32_t offset, void* destination, int count) override
    {
        if (count < 0 || offset > bytes_.size() || bytes_.size() - offset < static_cast<size_t>(count))
            return false;
        if (count > 0)
            std::memcpy(destination, bytes_.data() + offset, count);
        return true;
    }

private:
    const std::vector<uint8_t>& bytes_;
};
