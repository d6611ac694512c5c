#include "builder/BlockWriter.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/BitWriter.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

[[noreturn]] void badToken(size_t index, const char* why)
{
    throw std::invalid_argument("writeBlock: token " + std::to_string(index) + ": " + why);
}

void checkToken(const uint8_t* data, size_t size, size_t pos, const CompressedToken& t, size_t index)
{
    if (t.length == 0 || t.length > size - pos)
        badToken(index, "length 0 or past the end of the input");
    switch (t.kind) {
    case CompressedToken::kLiterals:
        return;
    case CompressedToken::kCopy:
        if (t.length < uint32_t(kMinCopyLength) || t.distance < uint32_t(kMinCopyDistance) ||
            t.length > t.distance || t.distance > pos)
            badToken(index, "copy length or distance not allowed");
        if (memcmp(data + pos, data + pos - t.distance, t.length) != 0)
            badToken(index, "copy does not match the input");
        return;
    case CompressedToken::kRun:
        if (t.length < uint32_t(kMinRunCount))
            badToken(index, "run shorter than 3");
        for (uint32_t i = 0; i < t.length; ++i)
            if (data[pos + i] != t.value)
                badToken(index, "run does not match the input");
        return;
    }
    badToken(index, "unknown kind");
}

} // namespace

std::vector<uint8_t> writeBlock(const uint8_t* data, size_t size,
                                const std::vector<CompressedToken>& tokens)
{
    if (size > 0x7FFFFFFFu)
        throw std::length_error("writeBlock: input of 2 GiB or more");
    std::vector<uint8_t> head(kBlockHeadSize);
    storeU32(head.data() + kBlockMagicOffset, kBlockMagic);
    storeU32(head.data() + kBlockOutputLengthOffset, static_cast<uint32_t>(size));
    BitWriter bits(std::move(head));
    size_t pos = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const CompressedToken& t = tokens[i];
        checkToken(data, size, pos, t, i);
        writeToken(bits, data + pos, t);
        pos += t.length;
    }
    if (pos != size)
        throw std::invalid_argument("writeBlock: tokens do not cover the input");
    return bits.take();
}

void writeToken(BitWriter& bits, const uint8_t* bytes, const CompressedToken& t)
{
    switch (t.kind) {
    case CompressedToken::kLiterals:
        bits.writeBit(0);
        bits.writeNumber(t.length - kLiteralCountBias, kLiteralCountBase, kLiteralCountStep);
        bits.writeBytes(bytes, t.length);
        break;
    case CompressedToken::kCopy:
        bits.writeBit(1);
        bits.writeBit(0);
        bits.writeNumber(t.length - kCopyLengthBias, kCopyLengthBase, kCopyLengthStep);
        bits.writeNumber(t.distance - kCopyDistanceBias, kCopyDistanceBase, kCopyDistanceStep);
        break;
    case CompressedToken::kRun:
        bits.writeBit(1);
        bits.writeBit(1);
        bits.writeBits(t.value, 8);
        bits.writeNumber(t.length - kRunCountBias, kRunCountBase, kRunCountStep);
        break;
    }
}

uint64_t tokenBits(const CompressedToken& t)
{
    switch (t.kind) {
    case CompressedToken::kLiterals: return literalRunBits(t.length);
    case CompressedToken::kCopy: return uint64_t(copyBits(t.length, t.distance));
    case CompressedToken::kRun: return uint64_t(byteRunBits(t.length));
    }
    return 0;
}

uint64_t literalRunBits(uint32_t count)
{
    return 1 + BitWriter::numberBits(count - kLiteralCountBias, kLiteralCountBase, kLiteralCountStep) +
           uint64_t(count) * 8;
}

int copyBits(uint32_t length, uint32_t distance)
{
    return 2 + BitWriter::numberBits(length - kCopyLengthBias, kCopyLengthBase, kCopyLengthStep) +
           BitWriter::numberBits(distance - kCopyDistanceBias, kCopyDistanceBase, kCopyDistanceStep);
}

int byteRunBits(uint32_t count)
{
    return 2 + 8 + BitWriter::numberBits(count - kRunCountBias, kRunCountBase, kRunCountStep);
}
