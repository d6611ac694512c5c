#include "archive/format/Decompressor.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/BitReader.h"
#include "core/OutOfMemory.h"
#include "core/String.h"

#include <cstring>
#include <utility>

namespace {

// The block's head: false unless data holds at least the head, the magic matches and the
// output length is not negative.
bool readHead(const uint8_t* data, int length, int32_t& outputLength)
{
    if (!data || length < kBlockHeadSize || loadU32(data + kBlockMagicOffset) != kBlockMagic)
        return false;
    outputLength = loadI32(data + kBlockOutputLengthOffset);
    return outputLength >= 0;
}

// Decodes tokens into output until it holds all its outputLength bytes. Counts are held in
// 64 bits, so a number near 2^31 plus its bias cannot wrap into something valid, and every
// token is checked against the bytes still missing before it writes: output never grows
// past outputLength. A token that would pass it fails here, as it would fail the length
// check after the loop.
class TokenDecoder {
public:
    TokenDecoder(BitReader& bits, uint8_t* output, int32_t outputLength)
        : bits_(bits), output_(output), outputLength_(outputLength), produced_(0) {}

    bool run()
    {
        bool ok = true;
        while (ok && produced_ < outputLength_) {
            if (bits_.readBit() == 0)
                ok = literalRun();
            else if (bits_.readBit() == 0)
                ok = copy();
            else
                ok = byteRun();
        }
        return ok && produced_ == outputLength_;
    }

private:
    bool number(int base, int step, int bias, int64_t& result)
    {
        int32_t value;
        if (!bits_.readNumber(base, step, value))
            return false;
        result = int64_t(value) + bias;
        return result > 0;
    }

    bool fits(int64_t count) const { return count <= int64_t(outputLength_) - produced_; }

    bool literalRun()
    {
        int64_t count;
        if (!number(kLiteralCountBase, kLiteralCountStep, kLiteralCountBias, count) ||
            !fits(count) || !bits_.readBits(output_ + produced_, count * 8))
            return false;
        produced_ += count;
        return true;
    }

    bool copy()
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

    bool byteRun()
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

    BitReader& bits_;
    uint8_t* output_;
    int64_t outputLength_;
    int64_t produced_;
};

bool decodeStream(const uint8_t* data, int length, uint8_t* output, int32_t outputLength)
{
    BitReader bits(data, length);
    bits.seekBit(int64_t(kBlockHeadSize) * 8);
    return TokenDecoder(bits, output, outputLength).run();
}

} // namespace

bool decompressBlock(uint8_t*& data, int& length)
{
    int32_t outputLength = 0;
    uint8_t* output = nullptr;
    if (readHead(data, length, outputLength)) {
        OutOfMemoryHandlerOff handlerOff;
        output = static_cast<uint8_t*>(allocateMemory(size_t(outputLength)));
    }
    if (!output || !decodeStream(data, length, output, outputLength)) {
        releaseMemory(output);
        return false;
    }
    data = output;
    length = outputLength;
    return true;
}

bool decompressBlock(const void* block, int length, String& output)
{
    const uint8_t* data = static_cast<const uint8_t*>(block);
    int32_t outputLength = 0;
    String decoded;
    if (!readHead(data, length, outputLength) ||
        (outputLength > 0 && !decoded.TrySetLength(outputLength)) ||
        !decodeStream(data, length, reinterpret_cast<uint8_t*>(decoded.Data()), outputLength))
        return false;
    output = std::move(decoded);
    return true;
}

bool decompressBlock(String& buffer)
{
    return decompressBlock(buffer.Data(), buffer.Length(), buffer);
}
