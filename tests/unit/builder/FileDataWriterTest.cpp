#include "builder/FileDataWriter.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/Decompressor.h"
#include "builder/BlockWriter.h"
#include "builder/Compressor.h"
#include "builder/FileDataReader.h"
#include "builder/OptimalCompressor.h"
#include "core/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace {

std::vector<uint8_t> bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<StoredFile> sampleFiles()
{
    StoredFile app;
    app.name = "app.exe";
    app.kind = kKindInstallDir;
    app.flags = kFileDesktopShortcut | kFileStartMenuShortcut | (3u << kFileExistenceShift);
    app.attributes = 0x21;
    app.data = bytes("MZ program bytes");
    app.time = {2026, 12, 10, 9, 30, 5};
    app.text = "Hello App";
    app.shortcutIcon = "app.ico";
    app.shortcutArguments = "/start";
    app.destination = "%InstallDir%\\bin\\";
    StoredFile empty;            // no data, no shortcut: no icon text in the record
    empty.name = "empty.txt";
    empty.shortcutIcon = "not written";
    StoredFile lib;
    lib.name = "shared.dll";
    lib.kind = kKindSystemComServer;
    lib.flags = kFileLeaveAtUninstall;
    lib.data = std::vector<uint8_t>(5000, 0x5A);
    lib.text = "1.2.3.4";
    return {app, empty, lib};
}

void expectSameFile(const StoredFile& a, const StoredFile& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.attributes, b.attributes);
    EXPECT_EQ(a.data, b.data);
    EXPECT_EQ(a.time.year, b.time.year);
    EXPECT_EQ(a.time.month, b.time.month);
    EXPECT_EQ(a.time.day, b.time.day);
    EXPECT_EQ(a.time.hour, b.time.hour);
    EXPECT_EQ(a.time.minute, b.time.minute);
    EXPECT_EQ(a.time.second, b.time.second);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.hasShortcut() ? a.shortcutIcon : "", b.shortcutIcon);
    EXPECT_EQ(a.shortcutArguments, b.shortcutArguments);
    EXPECT_EQ(a.destination, b.destination);
}

} // namespace

TEST(FileDataWriter, RecordLayoutFieldByField)
{
    StoredFile f;
    f.name = "a";
    f.kind = kKindFont;
    f.flags = kFileInUninstallDir;
    f.data = bytes("xyz");
    f.text = "Title";
    f.destination = "b.ttf";
    FileDataBlock block = writeFileData({f}, false);
    std::vector<uint8_t> expected = {'a', 0, 4, 0, 0, 0, 0x40, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'x', 'y', 'z'};
    uint8_t sum[4];
    storeU32(sum, archiveChecksum("xyz", 3));
    expected.insert(expected.end(), sum, sum + 4);
    for (int32_t v : {0, 0, 0, -1, 0, 0}) {
        uint8_t w[4];
        storeU32(w, static_cast<uint32_t>(v));
        expected.insert(expected.end(), w, w + 4);
    }
    for (const char* t : {"Title", "", "b.ttf"}) {   // no icon field without a shortcut flag
        expected.insert(expected.end(), t, t + std::strlen(t));
        expected.push_back(0);
    }
    EXPECT_EQ(block.bytes, expected);
    EXPECT_EQ(block.storedSizes, std::vector<int32_t>{3});
    EXPECT_EQ(block.checksum, archiveChecksum(expected.data(), int(expected.size())));
}

TEST(FileDataWriter, PlainAndCompressedBlocksReadBack)
{
    const std::vector<StoredFile> files = sampleFiles();
    for (bool compressed : {false, true}) {
        FileDataBlock block = writeFileData(files, compressed);
        String data(reinterpret_cast<const char*>(block.bytes.data()), int(block.bytes.size()));
        if (compressed) {
            EXPECT_LT(block.bytes.size(), block.plainSize);
            ASSERT_TRUE(decompressBlock(data));
        }
        std::vector<StoredFile> back =
            readFileData(reinterpret_cast<const uint8_t*>(data.Data()), size_t(data.Length()), block.storedSizes);
        ASSERT_EQ(back.size(), files.size());
        for (size_t i = 0; i < files.size(); ++i)
            expectSameFile(files[i], back[i]);
    }
    EXPECT_TRUE(writeFileData({}, true).bytes.empty());   // never a compressed empty block
}

TEST(FileDataWriter, EachLevelIsItsCompressorsBlock)
{
    std::vector<StoredFile> files = sampleFiles();
    for (int i = 0; i < 3000; ++i)
        files[0].data.push_back(uint8_t("installer archive "[(i * 7) % 18]));
    const std::vector<uint8_t> plain = writeFileData(files, false).bytes;
    EXPECT_EQ(writeFileData(files, true, CompressionLevel::kFast).bytes, compressBlock(plain.data(), plain.size()));
    const std::vector<uint8_t> best = writeBlock(plain.data(), plain.size(), OptimalCompressor().parse(plain.data(), plain.size()));
    EXPECT_EQ(writeFileData(files, true, CompressionLevel::kBest).bytes, best);
    EXPECT_EQ(writeFileData(files, true).bytes, best);
}

TEST(FileDataWriter, RefusesWhatTheInstallerRefuses)
{
    auto attempt = [](void (*edit)(StoredFile&)) {
        StoredFile f;
        f.name = "x";
        edit(f);
        writeFileData({f}, false);
    };
    EXPECT_THROW(attempt([](StoredFile& f) { f.name.clear(); }), std::invalid_argument);
    EXPECT_THROW(attempt([](StoredFile& f) { f.kind = 2; }), std::invalid_argument);
    EXPECT_THROW(attempt([](StoredFile& f) { f.kind = 9; }), std::invalid_argument);
    EXPECT_THROW(attempt([](StoredFile& f) { f.text = std::string("a\0b", 3); }), std::invalid_argument);
}

TEST(FileDataReader, ReportsEachBrokenRecordWithItsCode)
{
    FileDataBlock block = writeFileData(sampleFiles(), false);
    auto message = [&](std::vector<uint8_t> data, std::vector<int32_t> sizes) -> std::string {
        try {
            readFileData(data.data(), data.size(), sizes);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "";
    };
    std::vector<uint8_t> flipped = block.bytes;
    flipped[30] ^= 1;   // inside app.exe's data
    EXPECT_NE(message(flipped, block.storedSizes).find("app.exe): checksum mismatch (code 100)"), std::string::npos);
    EXPECT_NE(message(block.bytes, {16, 0, -1}).find("code 71"), std::string::npos);
    std::vector<uint8_t> kind = block.bytes;
    kind[8] = 3;   // app.exe's kind
    EXPECT_NE(message(kind, block.storedSizes).find("code 110"), std::string::npos);
    std::vector<uint8_t> cut(block.bytes.begin(), block.bytes.end() - 3);
    EXPECT_NE(message(cut, block.storedSizes).find("ends inside"), std::string::npos);
    EXPECT_NE(message(block.bytes, {16, 0}).find("left behind"), std::string::npos);
}

TEST(FileDataWriter, SplitsIntoNumberedVolumes)
{
    std::vector<uint8_t> block(25);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = uint8_t(i);
    VolumeSet set = splitVolumes(block, 7, 10, 40);   // 6 data bytes per volume
    EXPECT_EQ(set.inInstaller, std::vector<uint8_t>(block.begin(), block.begin() + 7));
    ASSERT_EQ(set.volumes.size(), 3u);
    EXPECT_EQ(set.numbers, (std::vector<uint32_t>{2, 3, 4}));
    std::vector<uint8_t> joined = set.inInstaller;
    for (size_t i = 0; i < set.volumes.size(); ++i) {
        EXPECT_LE(set.volumes[i].size(), 10u);
        EXPECT_EQ(loadU32(set.volumes[i].data()), 40 + i);
        joined.insert(joined.end(), set.volumes[i].begin() + 4, set.volumes[i].end());
    }
    EXPECT_EQ(joined, block);
    EXPECT_TRUE(splitVolumes(block, 100, 10, 2).volumes.empty());
    EXPECT_THROW(splitVolumes(block, 0, 4, 2), std::invalid_argument);
    EXPECT_EQ(volumeFileName("DATA", 2), "DATA2.QSX");
}
