#include "archive/format/TokenDecoder.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/BitReader.h"

#include <cstring>

bool TokenDecoder::run()
{
    while (produced_ < outputLength_) {
        if (!token())
            return false;
    }
    return produced_ == outputLength_;
}

bool TokenDecoder::token()
{
    if (bits_.readBit() == 0)
        return literalRun();
    if (bits_.readBit() == 0)
        return copy();
    return byteRun();
}

bool TokenDecoder::number(int base, int step, int bias, int64_t& result)
{
    int32_t value;
    if (!bits_.readNumber(base, step, value))
        return false;
    result = int64_t(value) + bias;
    return result > 0;
}

bool TokenDecoder::literalRun()
{
    int64_t count;
    if (!number(kLiteralCountBase, kLiteralCountStep, kLiteralCountBias, count) ||
        !fits(count) || !bits_.readBits(output_ + produced_, count * 8))
        return false;
    produced_ += count;
    return true;
}

bool TokenDecoder::copy()
{
    int64_t length, distance;
    if (!number(kCopyLengthBase, kCopyLengthStep, kCopyLengthBias, length) ||
        !number(kCopyDistanceBase, kCopyDistanceStep, kCopyDistanceBias, distance))
        return false;
    const int64_t start = produced_ - distance;
    if (start < 0 || start + length > produced_ || !fits(length))
        return false;
    memcpy(output_ + produced_, output_ + start, size_t(length));
    produced_ += length;
    return true;
}

bool TokenDecoder::byteRun()
{
    uint8_t value = 0;
    int64_t count;
    if (!bits_.readBits(&value, 8) ||
        !number(kRunCountBase, kRunCountStep, kRunCountBias, count) || !fits(count))
        return false;
    memset(output_ + produced_, value, size_t(count));
    produced_ += count;
    return true;
}
