#include "builder/InstallerBuilder.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/InstallerReader.h"
#include "tests/support/TinyPe.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

InstallerInput sampleInput(size_t bigSize)
{
    InstallerInput in;
    in.spec.productName = "Sample";
    in.spec.languages = {{"English", {"Sample"}}};
    StoredFile a;
    a.name = "readme.txt";
    a.data = std::vector<uint8_t>{'h', 'i'};
    StoredFile b;
    b.name = "big.bin";
    b.data.resize(bigSize);
    uint32_t x = 1;
    for (uint8_t& v : b.data) {   // incompressible
        x = x * 1103515245u + 12345u;
        v = uint8_t(x >> 24);
    }
    in.files = {a, b};
    return in;
}

VolumeLoader mapLoader(const InstallerOutput& out)
{
    std::map<std::string, std::vector<uint8_t>> m(out.volumes.begin(), out.volumes.end());
    return [m](const std::string& name) -> std::optional<std::vector<uint8_t>> {
        auto it = m.find(name);
        if (it == m.end())
            return std::nullopt;
        return it->second;
    };
}

void expectFilesBack(const InstallerInput& in, const InstallerContents& c)
{
    ASSERT_EQ(c.files.size(), in.files.size());
    for (size_t i = 0; i < in.files.size(); ++i) {
        EXPECT_EQ(c.files[i].name, in.files[i].name);
        EXPECT_EQ(c.files[i].data, in.files[i].data);
    }
}

} // namespace

TEST(InstallerBuilder, OneFileInstallerReadsBackPlainAndCompressed)
{
    const std::vector<uint8_t> engine = TinyPe().build();
    for (bool compressed : {false, true}) {
        InstallerInput in = sampleInput(3000);
        in.spec.setFlag(kFlagCompressedData, compressed);
        in.spec.setFlag(kFlagCheckStub);
        InstallerOutput out = buildInstaller(engine, in);
        EXPECT_TRUE(out.volumes.empty());
        InstallerContents c = readInstaller(out.installer, mapLoader(out));
        EXPECT_EQ(c.dataCompressed, compressed);
        EXPECT_EQ(c.settings->multiVolume, 0);
        EXPECT_TRUE(c.stubChecksumMatches());
        expectFilesBack(in, c);
        EXPECT_EQ(buildInstaller(engine, in).installer, out.installer);   // reproducible
    }
}

TEST(InstallerBuilder, MultiVolumeDataFillsTheSectionAndVolumesStayWithinTheSize)
{
    const std::vector<uint8_t> engine = TinyPe().build();
    InstallerInput in = sampleInput(20000);
    in.volumeSize = 6000;
    InstallerOutput out = buildInstaller(engine, in);
    ASSERT_GE(out.volumes.size(), 3u);
    EXPECT_EQ(out.volumes[0].first, "DATA2.QSX");
    for (const auto& v : out.volumes)
        EXPECT_LE(v.second.size(), 6000u);

    InstallerContents c = readInstaller(out.installer, mapLoader(out));
    EXPECT_EQ(c.settings->multiVolume, 1);
    // The engine takes everything behind the data's start up to the end of its file.
    EXPECT_EQ(size_t(c.header.archiveEnd) + c.sectionRawOffset, out.installer.size());
    EXPECT_EQ(c.volumeNames.size(), out.volumes.size());
    expectFilesBack(in, c);

    InstallerOutput missing = out;
    missing.volumes.pop_back();
    EXPECT_THROW(readInstaller(out.installer, mapLoader(missing)), std::runtime_error);
    InstallerOutput swapped = out;
    std::swap(swapped.volumes[0].second, swapped.volumes[1].second);
    EXPECT_THROW(readInstaller(out.installer, mapLoader(swapped)), std::runtime_error);
}

TEST(InstallerBuilder, SmallDataWithAVolumeSizeStaysInOneFile)
{
    InstallerInput in = sampleInput(10);
    in.volumeSize = 1 << 20;
    InstallerOutput out = buildInstaller(TinyPe().build(), in);
    EXPECT_TRUE(out.volumes.empty());
    EXPECT_EQ(readInstaller(out.installer, mapLoader(out)).settings->multiVolume, 0);
}

TEST(InstallerBuilder, DataShareEndsOnTheSectionAlignment)
{
    struct Case { size_t sectionOffset, dataOffset; uint64_t volumeSize; size_t share; };
    const Case cases[] = {
        {0x1000, 0x300, 0x1000, 0xD00},            // no room: just the padding
        {0x1000, 0x300, 0x4000, 0xD00 + 0x2000},   // room for two more alignment units
        {0x1000, 0x1000, 0x1800, 0},               // already aligned, no room
    };
    for (const Case& k : cases)
        EXPECT_EQ(installerDataShare(k.sectionOffset, k.dataOffset, 0x1000, k.volumeSize), k.share)
            << k.dataOffset << " " << k.volumeSize;
}

TEST(InstallerBuilder, RefusesSettingsTheInstallerRefuses)
{
    InstallerInput in = sampleInput(1);
    in.spec.volumeBaseName = " ";
    EXPECT_THROW(buildInstaller(TinyPe().build(), in), std::invalid_argument);
}
