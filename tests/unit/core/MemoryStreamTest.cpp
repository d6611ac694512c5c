#include "core/MemoryStream.h"

#include "core/String.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

String bytesOf(const MemoryStream& stream)
{
    String out;
    stream.CopyBytes(out);
    return out;
}

// Bytes as text, zero bytes shown as '.'.
String visible(const char* bytes, int n)
{
    String out;
    for (int i = 0; i < n; ++i)
        out.Append(bytes[i] ? bytes[i] : '.');
    return out;
}

} // namespace

TEST(MemoryStreamRead, ShortReadsZeroFillAndStillAdvance)
{
    struct Case {
        int position;
        int n;
        bool ok;
        const char* got;
        int positionAfter;
    } cases[] = {
        {0, 3, true, "abc", 3},
        {0, 10, true, "abcdefghij", 10},
        {6, 10, false, "ghij......", 16},  // 4 bytes copied, 6 zeros, position size + 6
        {10, 2, false, "..", 12},
        {4, 0, true, "", 4},
    };
    for (const Case& c : cases) {
        MemoryStream stream(String("abcdefghij"));
        ASSERT_TRUE(stream.Seek(c.position));
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(c.ok, stream.Read(buffer, c.n)) << c.position << "+" << c.n;
        EXPECT_STREQ(c.got, visible(buffer, c.n).CStr()) << c.position << "+" << c.n;
        EXPECT_EQ(c.positionAfter, stream.Position()) << c.position << "+" << c.n;
    }
}

TEST(MemoryStreamRead, BehindTheEndAndInvalidArguments)
{
    MemoryStream stream(String("abcd"));
    char buffer[8];
    EXPECT_FALSE(stream.Read(buffer, 6));
    EXPECT_EQ(6, stream.Position());
    EXPECT_FALSE(stream.Read(buffer, 2));  // all behind the end: zeros only
    EXPECT_STREQ("..", visible(buffer, 2).CStr());
    EXPECT_FALSE(stream.Seek(5));
    EXPECT_TRUE(stream.Seek(4));
    EXPECT_FALSE(stream.Read(buffer, -1));
    EXPECT_FALSE(stream.Read(nullptr, 1));
    EXPECT_EQ(4, stream.Position());
}

TEST(MemoryStreamWrite, WritingBehindTheEndZeroFillsTheGap)
{
    MemoryStream stream;
    ASSERT_TRUE(stream.Fill(0xFF, 100));  // leaves reserved room that is not zero
    ASSERT_TRUE(stream.Seek(4));
    stream.Truncate();
    char buffer[6];
    stream.Read(buffer, 6);  // position 10, size 4
    ASSERT_TRUE(stream.Write("XY", 2));
    EXPECT_EQ(12, stream.Size());
    EXPECT_EQ(12, stream.Position());
    String bytes = bytesOf(stream);
    ASSERT_EQ(12, bytes.Length());
    EXPECT_EQ(0, std::memcmp("\xFF\xFF\xFF\xFF\0\0\0\0\0\0XY", bytes.Data(), 12));
}

TEST(MemoryStreamWrite, OverwritesExtendsAndRejects)
{
    MemoryStream stream(String("abcdef"));
    ASSERT_TRUE(stream.Seek(4));
    EXPECT_TRUE(stream.Write("XYZ", 3));
    EXPECT_STREQ("abcdXYZ", bytesOf(stream).CStr());
    EXPECT_TRUE(stream.Write("", 0));
    EXPECT_FALSE(stream.Write("a", -1));
    EXPECT_FALSE(stream.Write(nullptr, 1));
    EXPECT_EQ(7, stream.Position());
    EXPECT_EQ(7, stream.Size());
}

TEST(MemoryStreamWrite, SourceInsideItsOwnBytesSurvivesGrowth)
{
    MemoryStream stream;
    for (int i = 0; i < 64; ++i)
        stream.WriteU8(static_cast<uint8_t>('A' + i % 26));
    String before = bytesOf(stream);
    // Doubling from its own bytes needs a larger buffer while the source is read.
    for (int round = 0; round < 4; ++round)
        ASSERT_TRUE(stream.Write(stream.Data(), stream.Size()));
    ASSERT_EQ(64 * 16, stream.Size());
    String after = bytesOf(stream);
    for (int i = 0; i < 16; ++i)
        ASSERT_EQ(0, std::memcmp(before.Data(), after.Data() + 64 * i, 64)) << i;
}

TEST(MemoryStreamCopyWithin, CopiesOnlyFromBytesBeforeThePosition)
{
    struct Case {
        int position;
        int from;
        int n;
        bool ok;
        const char* bytes;
    } cases[] = {
        {6, 0, 3, true, "abcdefabc"},
        {6, 3, 3, true, "abcdefdef"},
        {3, 0, 3, true, "abcabc"},    // overwrites behind the position
        {6, 4, 3, false, "abcdef"},   // from + n beyond the position
        {6, -1, 1, false, "abcdef"},
        {6, 0, 0, false, "abcdef"},
    };
    for (const Case& c : cases) {
        MemoryStream stream(String("abcdef"));
        ASSERT_TRUE(stream.Seek(c.position));
        EXPECT_EQ(c.ok, stream.CopyWithin(c.from, c.n)) << c.from << "," << c.n;
        EXPECT_STREQ(c.bytes, bytesOf(stream).CStr()) << c.from << "," << c.n;
        EXPECT_EQ(c.position + (c.ok ? c.n : 0), stream.Position()) << c.from << "," << c.n;
    }

    MemoryStream behind(String("abc"));
    char buffer[2];
    behind.Read(buffer, 2);
    behind.Read(buffer, 2);  // position 4, size 3
    EXPECT_FALSE(behind.CopyWithin(0, 1));
    EXPECT_EQ(3, behind.Size());
}

TEST(MemoryStreamPositions, SeekTruncateAndReset)
{
    MemoryStream stream(String("abcdef"));
    EXPECT_TRUE(stream.SeekFromEnd(-2));
    EXPECT_EQ(4, stream.Position());
    EXPECT_FALSE(stream.SeekFromEnd(1));
    EXPECT_FALSE(stream.SeekFromEnd(-7));
    EXPECT_FALSE(stream.Seek(-1));
    EXPECT_TRUE(stream.Seek(6));
    EXPECT_TRUE(stream.Seek(3));
    stream.Truncate();
    EXPECT_STREQ("abc", bytesOf(stream).CStr());
    EXPECT_FALSE(stream.Seek(4));
    EXPECT_FALSE(stream.Fill('x', 0));
    EXPECT_TRUE(stream.Fill('x', 2500));
    EXPECT_EQ(2503, stream.Size());
    stream.Reset();
    EXPECT_EQ(0, stream.Size());
    EXPECT_EQ(0, stream.Position());
    EXPECT_EQ(nullptr, stream.Data());
}

TEST(MemoryStreamNumbers, LittleEndianThroughTheStreamInterface)
{
    MemoryStream memory;
    Stream& stream = memory;
    ASSERT_TRUE(memory.WriteU32(0x11223344));
    ASSERT_TRUE(memory.WriteU16(0xA1B2));
    ASSERT_TRUE(stream.Write("\x7F", 1));
    String bytes;
    memory.TakeBytes(bytes);
    ASSERT_EQ(7, bytes.Length());
    EXPECT_EQ(0, std::memcmp("\x44\x33\x22\x11\xB2\xA1\x7F", bytes.Data(), 7));
    EXPECT_EQ(0, memory.Size());

    MemoryStream reader(bytes);
    uint32_t word = 0;
    uint16_t half = 0;
    EXPECT_TRUE(reader.ReadU32(word));
    EXPECT_EQ(0x11223344u, word);
    EXPECT_TRUE(reader.ReadU16(half));
    EXPECT_EQ(0xA1B2, half);
    EXPECT_FALSE(reader.ReadU16(half));  // one byte left
    EXPECT_EQ(0x007F, half);
}

TEST(MemoryStreamNumbers, StringReadersAndWritersWorkOnIt)
{
    MemoryStream stream;
    ASSERT_TRUE(WriteByteString(stream, String("name")));
    ASSERT_TRUE(WriteText(stream, String("zero\0", 5)));
    ASSERT_TRUE(stream.WriteU32(100));  // a long string claiming more bytes than follow
    ASSERT_TRUE(stream.Write("ab", 2));
    ASSERT_TRUE(stream.Seek(0));
    String text;
    EXPECT_TRUE(ReadByteString(stream, text));
    EXPECT_STREQ("name", text.CStr());
    EXPECT_TRUE(ReadZString(stream, text));
    EXPECT_STREQ("zero", text.CStr());
    EXPECT_FALSE(ReadLongString(stream, text));
    EXPECT_TRUE(text.IsEmpty());
}
