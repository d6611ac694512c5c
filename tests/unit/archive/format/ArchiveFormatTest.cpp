#include "archive/format/ArchiveFormat.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ArchiveChecksum, EmptyOrAbsentGivesTheSeedWithoutTheLength)
{
    const uint8_t byte = 0x55;
    EXPECT_EQ(0x79E2BC9Du, archiveChecksum(nullptr, 0));
    EXPECT_EQ(0x79E2BC9Du, archiveChecksum(nullptr, 12));
    EXPECT_EQ(0x79E2BC9Du, archiveChecksum(&byte, 0));
    EXPECT_EQ(0x79E2BC9Du, archiveChecksum(&byte, -1));
}

TEST(ArchiveChecksum, WordsLittleEndianTrailingBytesSignedPlusLength)
{
    EXPECT_EQ(0x79E2BDC6u, archiveChecksum("abc", 3));
    // One whole word (0x04030201), then 0xFF as -1 and 0x80 as -128, then the length 6.
    const uint8_t mixed[] = {0x01, 0x02, 0x03, 0x04, 0xFF, 0x80};
    EXPECT_EQ(0x79E2BC9Du + 0x04030201u - 1u - 128u + 6u, archiveChecksum(mixed, 6));
    // Words wrap modulo 2^32.
    const uint8_t big[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(0x79E2BC9Du - 2u + 8u, archiveChecksum(big, 8));
}

// The checksum as its definition reads, one byte at a time.
static uint32_t checksumByDefinition(const uint8_t* bytes, int length)
{
    uint32_t sum = 0x79E2BC9Du;
    int i = 0;
    for (; i + 4 <= length; i += 4)
        sum += uint32_t(bytes[i]) | uint32_t(bytes[i + 1]) << 8 | uint32_t(bytes[i + 2]) << 16 |
               uint32_t(bytes[i + 3]) << 24;
    for (; i < length; ++i)
        sum += uint32_t(int32_t(int8_t(bytes[i])));
    return length > 0 ? sum + uint32_t(length) : 0x79E2BC9Du;
}

TEST(ArchiveChecksum, EqualsTheDefinitionForEveryLengthAndMisalignedStart)
{
    // Bytes with high bits set and all 0xFF runs, so words wrap and trailing bytes are negative.
    uint8_t buffer[4200];
    uint32_t x = 12345;
    for (uint8_t& b : buffer) {
        x = x * 1103515245u + 12345u;
        b = uint8_t(x >> 16);
    }
    memset(buffer + 3000, 0xFF, 1100);
    const int longer[] = {127, 128, 129, 1000, 1100, 4099};
    for (int start = 0; start < 4; ++start) {
        for (int length = 0; length <= 64; ++length)
            ASSERT_EQ(checksumByDefinition(buffer + start, length), archiveChecksum(buffer + start, length))
                << "start " << start << " length " << length;
        for (int length : longer)
            ASSERT_EQ(checksumByDefinition(buffer + start, length), archiveChecksum(buffer + start, length))
                << "start " << start << " length " << length;
        ASSERT_EQ(checksumByDefinition(buffer + 3000 + start, 1096), archiveChecksum(buffer + 3000 + start, 1096));
    }
}

TEST(Unscramble, WholeWordsTakeTheKeyAndTrailingBytesItsLowBytes)
{
    uint8_t buffer[7] = {0, 0, 0, 0, 0, 0, 0};
    unscramble(buffer, 7, 0x44332211u);
    const uint8_t expected[7] = {0x11, 0x22, 0x33, 0x44, 0x11, 0x22, 0x33};
    EXPECT_EQ(0, memcmp(expected, buffer, 7));

    unscramble(buffer, 7, 0x44332211u);
    const uint8_t zero[7] = {};
    EXPECT_EQ(0, memcmp(zero, buffer, 7));

    unscramble(nullptr, 7, 1);   // no effect, no crash
    unscramble(buffer, 0, 0xFFFFFFFFu);
    EXPECT_EQ(0, memcmp(zero, buffer, 7));
}

TEST(LittleEndian, LoadAndStoreUnaligned)
{
    uint8_t bytes[6] = {};
    storeU32(bytes + 1, 0xA4F23DE5u);
    EXPECT_EQ(0xE5, bytes[1]);
    EXPECT_EQ(0xA4, bytes[4]);
    EXPECT_EQ(0xA4F23DE5u, loadU32(bytes + 1));
    storeU32(bytes, 0xFFFFFFFEu);
    EXPECT_EQ(-2, loadI32(bytes));
}

TEST(ArchiveVersion, SameAndOlderAcceptedNewerRefused)
{
    EXPECT_TRUE(archiveVersionAccepted(kArchiveVersion));
    EXPECT_TRUE(archiveVersionAccepted(1120));
    EXPECT_TRUE(archiveVersionAccepted(1000));
    EXPECT_TRUE(archiveVersionAccepted(0));
    // 1121 * 0.01 - 11.2 lies just above 0.01 in double precision.
    EXPECT_FALSE(archiveVersionAccepted(1121));
    EXPECT_FALSE(archiveVersionAccepted(1122));
    EXPECT_FALSE(archiveVersionAccepted(0x7FFFFFFF));
}
