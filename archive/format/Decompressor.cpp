#include "archive/format/Decompressor.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/BitReader.h"
#include "archive/format/FastTokenDecoder.h"
#include "archive/format/TokenDecoder.h"
#include "core/OutOfMemory.h"
#include "core/String.h"

#include <utility>

namespace {

// Decodes the bit stream of the block into output (room for outputLength bytes): true when it
// is exactly outputLength bytes of valid tokens.
using StreamDecoder = bool (*)(const uint8_t* data, int length, uint8_t* output,
                               int32_t outputLength);

bool decodeFast(const uint8_t* data, int length, uint8_t* output, int32_t outputLength)
{
    return FastTokenDecoder(data, length, output, outputLength).run();
}

bool decodeExact(const uint8_t* data, int length, uint8_t* output, int32_t outputLength)
{
    BitReader bits(data, length);
    bits.seekBit(int64_t(kBlockHeadSize) * 8);
    return TokenDecoder(bits, output, outputLength).run();
}

bool decompressWith(StreamDecoder decode, uint8_t*& data, int& length)
{
    int32_t outputLength = 0;
    uint8_t* output = nullptr;
    if (readBlockHead(data, length, outputLength)) {
        OutOfMemoryHandlerOff handlerOff;
        output = static_cast<uint8_t*>(allocateMemory(size_t(outputLength)));
    }
    if (!output || !decode(data, length, output, outputLength)) {
        releaseMemory(output);
        return false;
    }
    data = output;
    length = outputLength;
    return true;
}

} // namespace

bool readBlockHead(const uint8_t* data, int length, int32_t& outputLength)
{
    if (!data || length < kBlockHeadSize || loadU32(data + kBlockMagicOffset) != kBlockMagic)
        return false;
    const int32_t announced = loadI32(data + kBlockOutputLengthOffset);
    if (announced < 0)
        return false;
    outputLength = announced;
    return true;
}

bool decompressBlock(uint8_t*& data, int& length)
{
    return decompressWith(decodeFast, data, length);
}

bool decompressBlockExact(uint8_t*& data, int& length)
{
    return decompressWith(decodeExact, data, length);
}

bool decompressBlock(const void* block, int length, String& output)
{
    const uint8_t* data = static_cast<const uint8_t*>(block);
    int32_t outputLength = 0;
    String decoded;
    if (!readBlockHead(data, length, outputLength) ||
        (outputLength > 0 && !decoded.TrySetLength(outputLength)) ||
        !decodeFast(data, length, reinterpret_cast<uint8_t*>(decoded.Data()), outputLength))
        return false;
    output = std::move(decoded);
    return true;
}

bool decompressBlock(String& buffer)
{
    return decompressBlock(buffer.Data(), buffer.Length(), buffer);
}
