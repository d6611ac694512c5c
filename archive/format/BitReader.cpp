#include "archive/format/BitReader.h"

#include "archive/format/ArchiveFormat.h"

BitReader::BitReader(const uint8_t* data, int length)
    : data_(data), bitLength_(data && length > 0 ? int64_t(length) * 8 : 0), position_(0)
{
}

bool BitReader::bitsLeft(int64_t n) const
{
    return position_ >= 0 && position_ <= bitLength_ - n;
}

int BitReader::readBit()
{
    if (!bitsLeft(1))
        return 0;
    const int bit = (data_[position_ >> 3] >> (position_ & 7)) & 1;
    ++position_;
    return bit;
}

bool BitReader::readBits(void* destination, int64_t n)
{
    if (!destination || n <= 0 || !bitsLeft(n))
        return false;
    uint8_t* out = static_cast<uint8_t*>(destination);
    const int shift = static_cast<int>(position_ & 7);
    const uint8_t* in = data_ + (position_ >> 3);
    // Whole destination bytes: the 8 bits at the position span at most two source bytes,
    // and the second is inside the stream whenever shift > 0 (bitsLeft checked all n bits).
    const int64_t wholeBytes = n >> 3;
    for (int64_t i = 0; i < wholeBytes; ++i) {
        unsigned value = in[i] >> shift;
        if (shift)
            value |= unsigned(in[i + 1]) << (8 - shift);
        out[i] = static_cast<uint8_t>(value);
    }
    position_ += wholeBytes * 8;
    // The last 1..7 bits one at a time, keeping the destination's other bits.
    uint8_t* last = out + wholeBytes;
    for (int bit = 0; bit < int(n & 7); ++bit) {
        if (readBit())
            *last = static_cast<uint8_t>(*last | (1u << bit));
        else
            *last = static_cast<uint8_t>(*last & ~(1u << bit));
    }
    return true;
}

bool BitReader::readNumber(int base, int step, int32_t& value)
{
    if (!bitsLeft(2) || base < 0 || base > kNumberMaxBase || step < 1 || step > kNumberMaxStep)
        return false;
    int width = base;
    while (readBit() == 1) {
        // Only min(width, 32) bits are read: stop growing there so a long prefix cannot
        // overflow the width.
        if (width < kNumberMaxBits)
            width += step;
    }
    uint8_t bytes[4] = {0, 0, 0, 0};
    if (!readBits(bytes, width < kNumberMaxBits ? width : kNumberMaxBits))
        return false;
    value = loadI32(bytes);
    return true;
}
