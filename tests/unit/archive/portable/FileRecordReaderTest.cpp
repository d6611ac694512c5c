#include "archive/portable/FileRecordReader.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/FileDataWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<StoredFile> twoFiles()
{
    StoredFile a;
    a.name = "app.exe";
    a.kind = 5;
    a.flags = 0x1 | 0x8;
    a.attributes = 0x21;
    a.data = {'M', 'Z', 1, 2, 3};
    a.time.year = 2007;
    a.time.month = 3;
    a.time.day = 5;
    a.time.hour = 14;
    a.text = "App";
    a.shortcutIcon = "app.ico";
    a.shortcutArguments = "/x";
    a.destination = "%InstallDir%\\bin\\";
    StoredFile b;
    b.name = "empty.dat";
    b.kind = 6;
    b.text = "1.2";
    b.destination = "renamed.dat";
    return {a, b};
}

int readFirst(std::vector<uint8_t> bytes, int32_t size)
{
    ArchiveCursor cursor(bytes.data(), static_cast<uint32_t>(bytes.size()));
    FileRecordView record;
    return readFileRecord(cursor, size, record);
}

} // namespace

TEST(FileRecordReader, ReadsWhatTheBuilderWrote)
{
    FileDataBlock block = writeFileData(twoFiles(), false);
    ArchiveCursor cursor(block.bytes.data(), static_cast<uint32_t>(block.bytes.size()));
    FileRecordView a, b;
    ASSERT_EQ(0, readFileRecord(cursor, block.storedSizes[0], a));
    ASSERT_EQ(0, readFileRecord(cursor, block.storedSizes[1], b));
    EXPECT_EQ(0u, cursor.remaining());

    EXPECT_STREQ("app.exe", a.name);
    EXPECT_EQ(5u, a.kind);
    EXPECT_EQ(0x9u, a.flags);
    EXPECT_EQ(0x21u, a.attributes);
    EXPECT_EQ(std::string("MZ\1\2\3"), std::string(reinterpret_cast<const char*>(a.data), 5));
    EXPECT_EQ(2007, a.time.year);
    EXPECT_EQ(14, a.time.hour);
    EXPECT_STREQ("App", a.text);
    EXPECT_STREQ("app.ico", a.shortcutIcon);
    EXPECT_STREQ("/x", a.shortcutArguments);
    EXPECT_STREQ("%InstallDir%\\bin\\", a.destination);

    EXPECT_EQ(0, b.size);
    EXPECT_FALSE(b.time.hasDate());
    EXPECT_STREQ("", b.shortcutIcon); // not stored without a shortcut flag
    EXPECT_STREQ("1.2", b.text);
    EXPECT_STREQ("renamed.dat", b.destination);
}

TEST(FileRecordReader, BrokenRecordsGiveTheirCodes)
{
    const FileDataBlock block = writeFileData(twoFiles(), false);
    const int32_t size = block.storedSizes[0];
    const size_t kindAt = 8; // "app.exe" and its zero
    const size_t dataAt = kindAt + 12;

    std::vector<uint8_t> noName = block.bytes;
    noName[0] = 0;
    EXPECT_EQ(kCorruptFileName, readFirst(noName, size));

    for (uint8_t kind : {2, 3, 9}) {
        std::vector<uint8_t> badKind = block.bytes;
        badKind[kindAt] = kind;
        EXPECT_EQ(kCorruptDestinationKind, readFirst(badKind, size)) << int(kind);
    }

    std::vector<uint8_t> badData = block.bytes;
    badData[dataAt + 2] ^= 0x40;
    EXPECT_EQ(kCorruptFileChecksum, readFirst(badData, size));

    EXPECT_EQ(kCorruptNegativeFileSize, readFirst(block.bytes, -1));
    EXPECT_EQ(kCorruptFileSizeTooLarge, readFirst(block.bytes, kMaxStoredFileSize + 1));

    std::vector<uint8_t> cut(block.bytes.begin(), block.bytes.begin() + dataAt + 20);
    EXPECT_EQ(kCorruptOverrun, readFirst(cut, size));
}
