#include "builder/ArchiveWriter.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/Decompressor.h"
#include "builder/SettingsWriter.h"
#include "core/String.h"
#include "tests/support/TinyPe.h"

#include <gtest/gtest.h>

namespace {

ArchiveContent sampleContent()
{
    ProductSpec spec;
    spec.productName = "Sample";
    spec.languages = {{"English", {"Sample", "Install <product>?"}}};
    ArchiveContent content;
    content.settings = writeSettings(spec);
    content.storedSizes = {3, 0, 5};
    content.fileData = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    return content;
}

} // namespace

TEST(ArchiveWriter, HeaderSizesAndSettingsBlockReadBack)
{
    ArchiveContent content = sampleContent();
    ArchiveWriter::Result r = ArchiveWriter::writeInstaller(TinyPe().build(), content);
    const uint8_t* a = r.image.data() + r.section.rawOffset;

    EXPECT_EQ(loadU32(a + kHeaderMagicOffset), kArchiveMagic);
    EXPECT_EQ(loadI32(a + kHeaderVersionOffset), kArchiveVersion);
    const int32_t settingsSize = loadI32(a + kHeaderSettingsSizeOffset);
    EXPECT_EQ(size_t(settingsSize), r.compressedSettingsSize);
    const uint32_t key = loadU32(a + kHeaderSettingsKeyOffset);
    EXPECT_EQ(key, archiveChecksum(content.settings.data(), int(content.settings.size())));
    EXPECT_EQ(key, r.settingsKey);
    EXPECT_EQ(loadU32(a + kHeaderStubChecksumOffset), archiveChecksum(r.image.data(), int(r.section.rawOffset)));
    EXPECT_EQ(loadI32(a + kHeaderFileCountOffset), 3);
    EXPECT_EQ(loadI32(a + kHeaderDataSizeOffset), 8);
    EXPECT_EQ(loadU32(a + kHeaderDataChecksumOffset), archiveChecksum("abcdefgh", 8));
    EXPECT_EQ(loadI32(a + kHeaderFixedSize + 8), 5);
    const int dataOffset = kHeaderFixedSize + 12 + settingsSize;
    EXPECT_EQ(loadI32(a + kHeaderArchiveEndOffset), dataOffset + 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(a) + dataOffset, 8), "abcdefgh");

    String block(reinterpret_cast<const char*>(a) + kHeaderFixedSize + 12, settingsSize);
    unscramble(block.Data(), block.Length(), key);
    ASSERT_TRUE(decompressBlock(block));
    EXPECT_EQ(std::vector<uint8_t>(block.Data(), block.Data() + block.Length()), content.settings);
}

TEST(ArchiveWriter, CorruptionsChangeOnlyTheirField)
{
    ArchiveContent content = sampleContent();
    const std::vector<uint8_t> engine = TinyPe().build();
    ArchiveWriter::Result good = ArchiveWriter::writeInstaller(engine, content);

    ArchiveCorruption c;
    c.magic = 1;
    c.version = 1121;
    c.settingsSize = 0;
    c.archiveEnd = -1;
    c.fileCount = -2;
    c.dataSize = -3;
    c.storedSizes[1] = -4;
    c.sectionName = ".QUIV";
    ArchiveWriter::Result bad = ArchiveWriter::writeInstaller(engine, content, c);
    ASSERT_EQ(bad.image.size(), good.image.size());
    const uint8_t* a = bad.image.data() + bad.section.rawOffset;
    EXPECT_EQ(loadU32(a), 1u);
    EXPECT_EQ(loadI32(a + 4), 1121);
    EXPECT_EQ(loadI32(a + 8), 0);
    EXPECT_EQ(loadI32(a + 20), -1);
    EXPECT_EQ(loadI32(a + 24), -2);
    EXPECT_EQ(loadI32(a + 28), -3);
    EXPECT_EQ(loadI32(a + 36 + 4), -4);
    // The stub checksum follows the edited name, so only the named fault is present.
    EXPECT_EQ(loadU32(a + 16), archiveChecksum(bad.image.data(), int(bad.section.rawOffset)));
    EXPECT_NE(loadU32(a + 16), loadU32(good.image.data() + good.section.rawOffset + 16));
    const PeHeaders h = readPeHeaders(bad.image);
    EXPECT_EQ(h.sections.back().name, ".QUIV");
    // The settings block itself is the same.
    const size_t blockAt = bad.section.rawOffset + kHeaderFixedSize + 12;
    EXPECT_TRUE(std::equal(bad.image.begin() + blockAt, bad.image.begin() + blockAt + bad.compressedSettingsSize,
                           good.image.begin() + blockAt));
}
