#include "builder/BitWriter.h"

#include <stdexcept>
#include <utility>

namespace {

void checkNumberArguments(int base, int step)
{
    // A base of 0 would give a 1-bit number the engine refuses (it needs two bits), and a
    // base above 32 reads no more than 32 bits anyway.
    if (base < 1 || base > 32 || step < 1 || step > 16)
        throw std::invalid_argument("BitWriter: number base or step out of range");
}

// The width of value's shortest form: base + k * step for the least k that holds it.
int numberWidth(uint32_t value, int base, int step)
{
    int width = base;
    while (width < 32 && (value >> width) != 0)
        width += step;
    return width;
}

} // namespace

BitWriter::BitWriter(std::vector<uint8_t> head) : bytes_(std::move(head)) {}

void BitWriter::writeBits(uint32_t value, int n)
{
    for (int i = 0; i < n; ++i) {
        if (pending_ == 0)
            bytes_.push_back(0);
        if ((value >> i) & 1)
            bytes_.back() = static_cast<uint8_t>(bytes_.back() | (1u << pending_));
        pending_ = (pending_ + 1) & 7;
    }
}

void BitWriter::writeBytes(const uint8_t* bytes, size_t count)
{
    if (pending_ == 0) {
        bytes_.insert(bytes_.end(), bytes, bytes + count);
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        bytes_.back() = static_cast<uint8_t>(bytes_.back() | (bytes[i] << pending_));
        bytes_.push_back(static_cast<uint8_t>(bytes[i] >> (8 - pending_)));
    }
}

void BitWriter::writeNumber(uint32_t value, int base, int step)
{
    checkNumberArguments(base, step);
    const int width = numberWidth(value, base, step);
    for (int w = base; w < width; w += step)
        writeBit(1);
    writeBit(0);
    writeBits(value, width < 32 ? width : 32);
}

int BitWriter::numberBits(uint32_t value, int base, int step)
{
    checkNumberArguments(base, step);
    const int width = numberWidth(value, base, step);
    return (width - base) / step + 1 + (width < 32 ? width : 32);
}

std::vector<uint8_t> BitWriter::take()
{
    std::vector<uint8_t> out = std::move(bytes_);
    bytes_.clear();
    pending_ = 0;
    return out;
}
