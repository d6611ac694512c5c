#include "archive/format/BitReader.h"

#include <gtest/gtest.h>

TEST(BitReader, BitsLeastSignificantFirstAndNothingPastTheEnd)
{
    const uint8_t data[] = {0xB4, 0x01};   // 0xB4 = bits 0,0,1,0,1,1,0,1
    BitReader bits(data, 2);
    const int expected[] = {0, 0, 1, 0, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(expected[i], bits.readBit()) << i;
    EXPECT_EQ(16, bits.position());
    EXPECT_EQ(0, bits.readBit());
    EXPECT_EQ(16, bits.position());

    bits.seekBit(-1);
    EXPECT_FALSE(bits.bitsLeft(1));
    EXPECT_EQ(0, bits.readBit());
    EXPECT_EQ(-1, bits.position());

    BitReader none(nullptr, 5);
    EXPECT_FALSE(none.bitsLeft(1));
    EXPECT_TRUE(none.bitsLeft(0));
}

TEST(BitReader, ReadBitsAcrossBytesKeepsTheDestinationsOtherBits)
{
    const uint8_t data[] = {0xF0, 0x0F, 0xAA};
    BitReader bits(data, 3);
    bits.seekBit(4);
    uint8_t out[2] = {0x00, 0xF0};
    ASSERT_TRUE(bits.readBits(out, 12));   // bits 4..15: 1111 11110000
    EXPECT_EQ(0xFF, out[0]);
    EXPECT_EQ(0xF0, out[1]);               // low nibble 0000 written, high nibble kept
    EXPECT_EQ(16, bits.position());

    uint8_t rest = 0;
    EXPECT_FALSE(bits.readBits(&rest, 9));   // only 8 left: nothing read or moved
    EXPECT_EQ(16, bits.position());
    EXPECT_FALSE(bits.readBits(&rest, 0));
    EXPECT_FALSE(bits.readBits(nullptr, 1));
    ASSERT_TRUE(bits.readBits(&rest, 8));
    EXPECT_EQ(0xAA, rest);
}

TEST(BitReader, ReadNumber)
{
    // Prefix 1,1,0 with base 2 step 2: width 6; value bits 101100 = 13.
    const uint8_t data[] = {0x6B, 0x00};   // bits 1,1,0,1,0,1,1,0 | 0...
    {
        BitReader bits(data, 2);
        int32_t value = -5;
        ASSERT_TRUE(bits.readNumber(2, 2, value));
        EXPECT_EQ(13, value);
        EXPECT_EQ(9, bits.position());
    }
    {
        // Arguments out of range fail without reading.
        BitReader bits(data, 2);
        int32_t value = 7;
        EXPECT_FALSE(bits.readNumber(-1, 1, value));
        EXPECT_FALSE(bits.readNumber(65, 1, value));
        EXPECT_FALSE(bits.readNumber(2, 0, value));
        EXPECT_FALSE(bits.readNumber(2, 17, value));
        EXPECT_EQ(7, value);
        EXPECT_EQ(0, bits.position());
    }
    {
        // One bit left is not enough to start, even for a 1-bit number.
        BitReader bits(data, 1);
        bits.seekBit(7);
        int32_t value = 7;
        EXPECT_FALSE(bits.readNumber(1, 1, value));
        EXPECT_EQ(7, value);
    }
    {
        // A width above 32 reads 32 bits; all ones is -1. A base of 0 with no prefix has no
        // bits to read and fails.
        const uint8_t ones[] = {0xFE, 0xFF, 0xFF, 0xFF, 0xFF};   // prefix ends at bit 0
        BitReader bits(ones, 5);
        int32_t value = 0;
        ASSERT_TRUE(bits.readNumber(40, 1, value));
        EXPECT_EQ(-1, value);
        const uint8_t zero[] = {0x00};
        BitReader empty(zero, 1);
        EXPECT_FALSE(empty.readNumber(0, 1, value));
        EXPECT_EQ(-1, value);
    }
}
