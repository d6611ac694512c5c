// The engine's reading of an installer made by the builder: PE walk, header, settings block,
// with one deliberate fault at a time.
#include "archive/portable/ArchiveHeader.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/portable/ArchiveSection.h"
#include "builder/ArchiveWriter.h"
#include "builder/SettingsWriter.h"
#include "tests/support/MemoryReader.h"
#include "tests/support/TinyPe.h"

#include <gtest/gtest.h>

namespace {

ArchiveContent sampleContent()
{
    ProductSpec spec;
    spec.productName = "Sample";
    spec.languages = {{"English", {"Sample"}}};
    ArchiveContent content;
    content.settings = writeSettings(spec);
    content.storedSizes = {10, 20, 0};
    content.fileData = std::vector<uint8_t>(30, 'x');
    return content;
}

struct Reading {
    int code = 0;
    ArchiveSection section;
    ArchiveHeader header;
    String settings;
};

// What the engine does from the file to the checked settings block; the section's bytes in
// the file stand for the mapped section.
Reading readInstaller(const std::vector<uint8_t>& image)
{
    Reading r;
    MemoryReader file(image);
    if ((r.code = findArchiveSection(file, r.section)) != 0)
        return r;
    if (r.section.rawOffset >= image.size()) {
        r.code = kCorruptRawOffsetSeek;
        return r;
    }
    uint32_t mapped = std::min<uint32_t>(r.section.mappedSize(), uint32_t(image.size() - r.section.rawOffset));
    ArchiveCursor cursor(image.data() + r.section.rawOffset, mapped);
    if ((r.code = readArchiveHeader(cursor, r.header)) != 0)
        return r;
    if ((r.code = openSettingsBlock(cursor, r.header.settingsSize, r.header.settingsKey, r.settings)) != 0)
        return r;
    if (!settingsChecksumMatches(r.settings, r.header.settingsKey))
        r.code = kCorruptSettingsChecksum;
    return r;
}

Reading readWith(const ArchiveCorruption& corruption, ArchiveContent content = sampleContent())
{
    return readInstaller(ArchiveWriter::writeInstaller(TinyPe().build(), content, corruption).image);
}

} // namespace

TEST(ArchiveReading, SoundInstallerYieldsHeaderAndSettings)
{
    ArchiveContent content = sampleContent();
    ArchiveWriter::Result built = ArchiveWriter::writeInstaller(TinyPe().build(), content);
    Reading r = readInstaller(built.image);
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.section.index, 4);
    EXPECT_EQ(r.section.rawOffset, built.section.rawOffset);
    EXPECT_EQ(r.header.version, kArchiveVersion);
    EXPECT_EQ(r.header.fileCount, 3);
    ASSERT_EQ(r.header.storedSizes.Count(), 3);
    EXPECT_EQ(r.header.storedSizes[1], 20);
    EXPECT_EQ(r.header.dataSize, 30);
    EXPECT_EQ(r.header.dataOffset, kHeaderFixedSize + 12 + built.compressedSettingsSize);
    EXPECT_EQ(uint32_t(r.header.archiveEnd), r.header.dataOffset + 30);
    EXPECT_EQ(std::vector<uint8_t>(r.settings.Data(), r.settings.Data() + r.settings.Length()), content.settings);
}

TEST(ArchiveReading, EachFaultGivesItsCode)
{
    using C = ArchiveCorruption;
    struct Case {
        const char* what;
        C corruption;
        int code;
    };
    auto with = [](auto set) { C c; set(c); return c; };
    const Case cases[] = {
        {"PE offset 63", with([](C& c) { c.peOffsetField = 63; }), kCorruptPeOffset},
        {"PE offset 4097", with([](C& c) { c.peOffsetField = 4097; }), kCorruptPeOffset},
        {"3 sections", with([](C& c) { c.sectionCount = 3; }), kCorruptSectionCount},
        {"100 sections", with([](C& c) { c.sectionCount = 100; }), kCorruptSectionCount},
        {"name .QUIV", with([](C& c) { c.sectionName = ".QUIV"; }), kNoArchiveSection},
        {"name .quivx", with([](C& c) { c.sectionName = ".quivx"; }), kNoArchiveSection},
        {"raw offset 0", with([](C& c) { c.sectionRawOffset = 0; }), kCorruptRawOffsetZero},
        {"magic", with([](C& c) { c.magic = kArchiveMagic + 1; }), kCorruptMagic},
        {"magic before the rest", with([](C& c) { c.magic = 0; c.version = 5000; c.settingsSize = 0; }), kCorruptMagic},
        {"version 1121", with([](C& c) { c.version = 1121; }), kArchiveVersionRefused},
        {"version 1122", with([](C& c) { c.version = 1122; }), kArchiveVersionRefused},
        {"version 1120", with([](C& c) { c.version = 1120; }), 0},
        {"version 1000", with([](C& c) { c.version = 1000; }), 0},
        {"settings size 0", with([](C& c) { c.settingsSize = 0; }), kCorruptSettingsSize},
        {"settings size 10485760", with([](C& c) { c.settingsSize = 10485760; }), kCorruptSettingsSize},
        {"settings size past the section", with([](C& c) { c.settingsSize = 10485759; }), kCorruptOverrun},
        {"archive end -1", with([](C& c) { c.archiveEnd = -1; }), kCorruptArchiveEnd},
        {"file count -1", with([](C& c) { c.fileCount = -1; }), kCorruptFileCount},
        {"data size -1", with([](C& c) { c.dataSize = -1; }), kCorruptDataSize},
        {"stored size -1", with([](C& c) { c.storedSizes[2] = -1; }), kCorruptStoredSize},
        {"stored size 0x40000001", with([](C& c) { c.storedSizes[0] = 0x40000001; }), kCorruptStoredSize},
        {"stored size 0x40000000", with([](C& c) { c.storedSizes[0] = 0x40000000; }), 0},
        {"scrambled with another key", with([](C& c) { c.scrambleKey = 0x01020304; }), kCorruptSettingsBlock},
        {"block not compressed", with([](C& c) { c.compressedSettings = std::vector<uint8_t>(40, 0); }),
         kCorruptSettingsBlock},
        {"key is not the checksum", with([](C& c) { c.settingsKey = 0x55555555; }), kCorruptSettingsChecksum},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readWith(c.corruption).code, c.code) << c.what;
}

TEST(ArchiveReading, PeOffsetIsReadAsSixteenBits)
{
    // The loader reads all 32 bits; the walk only the low half.
    std::vector<uint8_t> image = ArchiveWriter::writeInstaller(TinyPe().build(), sampleContent()).image;
    image[0x3E] = 0x01;
    EXPECT_EQ(readInstaller(image).code, 0);
}

TEST(ArchiveReading, TruncatedFilesEndTheWalk)
{
    std::vector<uint8_t> image = ArchiveWriter::writeInstaller(TinyPe().build(), sampleContent()).image;
    MemoryReader reader(image);
    ArchiveSection section;
    std::vector<uint8_t> head(image.begin(), image.begin() + 0x3D);   // 0x3C's second byte missing
    MemoryReader short1(head);
    EXPECT_EQ(findArchiveSection(short1, section), kCorruptPeOffset);
    head.assign(image.begin(), image.begin() + 0x87);                  // count's second byte missing
    MemoryReader short2(head);
    EXPECT_EQ(findArchiveSection(short2, section), kCorruptSectionCount);
    head.assign(image.begin(), image.begin() + 0x200);                 // the table's last entry cut
    MemoryReader short3(head);
    EXPECT_EQ(findArchiveSection(short3, section), kNoArchiveSection);
}

TEST(ArchiveReading, VersionTextNamesBothVersions)
{
    EXPECT_STREQ(archiveVersionText(1121).CStr(),
                 "The installer version (11.2) does not match the version of QUIV (11.2).  Close all "
                 "applications and reinstall QUIV.");
    EXPECT_STREQ(archiveVersionText(1250).CStr(),
                 "The installer version (11.2) does not match the version of QUIV (12.5).  Close all "
                 "applications and reinstall QUIV.");
}

TEST(ArchiveReading, SizeListPastTheSectionIsAnOverrun)
{
    ArchiveContent content = sampleContent();
    ArchiveCorruption c;
    c.fileCount = 1000;
    std::vector<uint8_t> archive = ArchiveWriter::writeArchive(content, c, 0);
    ArchiveHeader header;
    ArchiveCursor cut(archive.data(), kHeaderFixedSize + 3 * 4);   // the section ends behind 3 sizes
    EXPECT_EQ(readArchiveHeader(cut, header), kCorruptOverrun);
    EXPECT_EQ(header.storedSizes.Count(), 3);
    ArchiveCursor fixedPartOnly(archive.data(), kHeaderFixedSize - 1);
    EXPECT_EQ(readArchiveHeader(fixedPartOnly, header), kCorruptOverrun);
}
