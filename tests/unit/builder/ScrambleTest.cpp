#include "builder/Scramble.h"

#include "archive/format/ArchiveFormat.h"

#include <gtest/gtest.h>

TEST(Scramble, UnscrambleRestoresEveryLength)
{
    for (size_t length = 0; length <= 9; ++length) {
        std::vector<uint8_t> original(length);
        for (size_t i = 0; i < length; ++i)
            original[i] = static_cast<uint8_t>(i * 37 + 5);
        std::vector<uint8_t> buffer = original;
        scramble(buffer, 0xDEADBEEFu);
        if (length > 0) {
            EXPECT_NE(original, buffer) << length;
        }
        unscramble(buffer.data(), static_cast<int>(buffer.size()), 0xDEADBEEFu);
        EXPECT_EQ(original, buffer) << length;
    }
}
