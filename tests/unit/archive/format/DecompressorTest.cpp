#include "archive/format/Decompressor.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/Compressor.h"
#include "core/OutOfMemory.h"
#include "core/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// width bits of value, least significant first, as '0'/'1' characters.
std::string bitsOf(uint32_t value, int width)
{
    std::string s;
    for (int i = 0; i < width; ++i)
        s += ((value >> i) & 1) ? '1' : '0';
    return s;
}

std::string byteBits(char c) { return bitsOf(static_cast<uint8_t>(c), 8); }

// A compressed block: magic, outputLength, then the '0'/'1' characters of bits packed from
// bit 0 of byte 8 on (other characters are spacing).
std::vector<uint8_t> makeBlock(int32_t outputLength, const std::string& bits)
{
    std::vector<uint8_t> block(8);
    storeU32(block.data(), kBlockMagic);
    storeU32(block.data() + 4, static_cast<uint32_t>(outputLength));
    int n = 0;
    for (char c : bits) {
        if (c != '0' && c != '1')
            continue;
        if (n % 8 == 0)
            block.push_back(0);
        if (c == '1')
            block.back() = static_cast<uint8_t>(block.back() | (1u << (n % 8)));
        ++n;
    }
    return block;
}

// Runs the pointer form; on failure checks that the caller's pointer and length are kept.
bool decode(const std::vector<uint8_t>& block, std::string& out)
{
    uint8_t* data = const_cast<uint8_t*>(block.data());
    int length = static_cast<int>(block.size());
    if (!decompressBlock(data, length)) {
        EXPECT_EQ(block.data(), data);
        EXPECT_EQ(static_cast<int>(block.size()), length);
        return false;
    }
    EXPECT_NE(block.data(), data);
    out.assign(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    releaseMemory(data);
    return true;
}

const std::string kLiteralsAbcd =
    "0 0 11" + byteBits('a') + byteBits('b') + byteBits('c') + byteBits('d');

struct Case {
    const char* name;
    int32_t outputLength;
    std::string bits;
    const char* expected;   // null: decoding fails
};

} // namespace

TEST(Decompressor, TokenTable)
{
    const Case cases[] = {
        {"empty block", 0, "", ""},
        {"outputLength 1 without bits", 1, "", nullptr},
        {"negative outputLength", -1, "", nullptr},
        {"literal A", 1, "0 0 00" + byteBits('A'), "A"},
        {"four literals", 4, kLiteralsAbcd, "abcd"},
        // count 5: value 4 does not fit 2 bits, so prefix 1 gives width 4.
        {"literal count in 4 bits", 5, "0 10 0010" + byteBits('v') + byteBits('w') +
                                           byteBits('x') + byteBits('y') + byteBits('z'),
         "vwxyz"},
        {"copy distance 4 length 4", 8, kLiteralsAbcd + "10 0 00 0" + bitsOf(0, 12), "abcdabcd"},
        {"copy distance 4 length 5 overlaps", 9, kLiteralsAbcd + "10 0 10 0" + bitsOf(0, 12),
         nullptr},
        {"copy distance 5 before the start", 8, kLiteralsAbcd + "10 0 00 0" + bitsOf(1, 12),
         nullptr},
        {"copy with no output yet", 4, "10 0 00 0" + bitsOf(0, 12), nullptr},
        {"copy overshoots outputLength", 7, kLiteralsAbcd + "10 0 00 0" + bitsOf(0, 12), nullptr},
        {"run of four spaces", 4, "11" + byteBits(' ') + "0 1", "    "},
        {"run of three then literal", 4, "11" + byteBits('x') + "0 0" + "0 0 00" + byteBits('y'),
         "xxxy"},
        {"run count in 2 bits", 6, "11" + byteBits('r') + "10 11", "rrrrrr"},
        {"stream ends inside a literal run", 4, "0 0 11" + byteBits('a') + byteBits('b'), nullptr},
        // 48 bits: the stream ends on a byte boundary halfway through the distance.
        {"stream ends inside a number", 8, kLiteralsAbcd + "10 0 00 0" + bitsOf(0, 6), nullptr},
        {"final run overshoots", 3, "11" + byteBits(' ') + "0 1", nullptr},
        {"final literal run overshoots", 3, kLiteralsAbcd, nullptr},
        {"trailing bits are ignored", 1, "0 0 00" + byteBits('A') + "1111111", "A"},
        // A 32-bit count of all ones reads as -1: count 0, a failure.
        {"literal count of -1", 1, "0 " + std::string(15, '1') + "0" + bitsOf(~0u, 32), nullptr},
        // 0x7FFFFFFF + 1 passes 2^31: refused, not wrapped.
        {"literal count beyond int", 1, "0 " + std::string(15, '1') + "0" + bitsOf(0x7FFFFFFF, 32),
         nullptr},
    };
    for (const Case& c : cases) {
        std::string out;
        const bool ok = decode(makeBlock(c.outputLength, c.bits), out);
        if (c.expected) {
            EXPECT_TRUE(ok) << c.name;
            EXPECT_EQ(c.expected, out) << c.name;
        } else {
            EXPECT_FALSE(ok) << c.name;
        }
    }
}

TEST(Decompressor, LiteralAStreamBytes)
{
    // Bit i of the stream is bit (i mod 8) of byte 8 + i / 8.
    const std::vector<uint8_t> block = makeBlock(1, "0 0 00" + byteBits('A'));
    ASSERT_EQ(10u, block.size());
    EXPECT_EQ(0x10, block[8]);
    EXPECT_EQ(0x04, block[9]);
}

TEST(Decompressor, BadHeadFails)
{
    const std::vector<uint8_t> good = makeBlock(1, "0 0 00" + byteBits('A'));
    std::string out;
    ASSERT_TRUE(decode(good, out));
    for (int bit = 0; bit < 32; ++bit) {
        std::vector<uint8_t> block = good;
        block[bit / 8] = static_cast<uint8_t>(block[bit / 8] ^ (1u << (bit % 8)));
        EXPECT_FALSE(decode(block, out)) << "magic bit " << bit;
    }
    for (size_t length = 0; length < 8; ++length) {
        std::vector<uint8_t> block(good.begin(), good.begin() + length);
        EXPECT_FALSE(decode(block, out)) << "length " << length;
    }
    uint8_t* null = nullptr;
    int length = 10;
    EXPECT_FALSE(decompressBlock(null, length));
    EXPECT_EQ(10, length);
}

TEST(Decompressor, StringFormReplacesOnlyOnSuccess)
{
    const std::vector<uint8_t> block = makeBlock(8, kLiteralsAbcd + "10 0 00 0" + bitsOf(0, 12));
    String buffer;
    ASSERT_TRUE(buffer.AssignBytes(block.data(), static_cast<int>(block.size())));
    ASSERT_TRUE(decompressBlock(buffer));
    EXPECT_EQ(std::string("abcdabcd"), std::string(buffer.Data(), size_t(buffer.Length())));

    const std::vector<uint8_t> bad = makeBlock(9, kLiteralsAbcd);
    ASSERT_TRUE(buffer.AssignBytes(bad.data(), static_cast<int>(bad.size())));
    EXPECT_FALSE(decompressBlock(buffer));
    ASSERT_EQ(static_cast<int>(bad.size()), buffer.Length());
    EXPECT_EQ(0, memcmp(bad.data(), buffer.Data(), bad.size()));

    const std::vector<uint8_t> empty = makeBlock(0, "");
    ASSERT_TRUE(buffer.AssignBytes(empty.data(), static_cast<int>(empty.size())));
    ASSERT_TRUE(decompressBlock(buffer));
    EXPECT_EQ(0, buffer.Length());
}

// The form for a block that stays in place (the mapped program image) decodes into output
// and leaves output as it was on failure.
TEST(Decompressor, InPlaceBlockDecodesIntoOutput)
{
    const std::vector<uint8_t> block = makeBlock(8, kLiteralsAbcd + "10 0 00 0" + bitsOf(0, 12));
    String output("old");
    ASSERT_TRUE(decompressBlock(block.data(), static_cast<int>(block.size()), output));
    EXPECT_EQ(std::string("abcdabcd"), std::string(output.Data(), size_t(output.Length())));

    const std::vector<uint8_t> bad = makeBlock(9, kLiteralsAbcd);
    EXPECT_FALSE(decompressBlock(bad.data(), static_cast<int>(bad.size()), output));
    EXPECT_EQ(std::string("abcdabcd"), std::string(output.Data(), size_t(output.Length())));
}

TEST(Decompressor, DamagedBlocksFailOrDecodeToTheirLengthWithinBounds)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "copy " + std::to_string(i % 7) + std::string(size_t(i % 5 + 2), '-') + "run; ";
    const std::vector<uint8_t> good =
        compressBlock(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    std::string out;
    ASSERT_TRUE(decode(good, out));
    ASSERT_EQ(text, out);

    // Every shorter block ends the stream early (the sanitizers watch the reads).
    for (size_t length = 0; length < good.size(); ++length) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + length);
        EXPECT_FALSE(decode(cut, out)) << length;
    }
    // Flipped stream bits either fail or still give exactly outputLength bytes.
    std::mt19937 rng(5);
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<uint8_t> block = good;
        const size_t bit = 64 + rng() % ((block.size() - 8) * 8);
        block[bit / 8] = static_cast<uint8_t>(block[bit / 8] ^ (1u << (bit % 8)));
        if (decode(block, out)) {
            EXPECT_EQ(text.size(), out.size()) << bit;
        }
    }
}
