// The engine's uninstaller image against the builder's prediction of it.
#include "archive/portable/UninstallerImage.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/ArchiveWriter.h"
#include "builder/SettingsWriter.h"
#include "builder/UninstallerImage.h"
#include "tests/support/MemoryReader.h"
#include "tests/support/TinyPe.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> archiveBytes()
{
    ProductSpec spec;
    spec.languages = {{"English", {"x"}}};
    ArchiveContent content;
    content.settings = writeSettings(spec);
    return ArchiveWriter::writeArchive(content, {}, 0);
}

// An installer whose archive section is entry index, with a trailer behind the last data.
std::vector<uint8_t> installerWithArchiveAt(size_t index, std::vector<uint8_t> trailer)
{
    TinyPe pe;
    pe.sections.insert(pe.sections.begin() + static_cast<long>(index), {".quiv", archiveBytes()});
    pe.sections.push_back({".bss", {}});
    pe.trailer = std::move(trailer);
    return pe.build();
}

struct Made {
    int code;
    std::vector<uint8_t> image;
};

Made make(const std::vector<uint8_t>& installer, UninstallerImageInput input = {},
          std::vector<uint8_t> fileBytes = {})
{
    const std::vector<uint8_t>& bytes = fileBytes.empty() ? installer : fileBytes;
    MemoryReader file(bytes);
    MemoryReader whole(installer);
    EXPECT_EQ(findArchiveSection(whole, input.section), 0);
    input.fileSize = static_cast<uint32_t>(installer.size());
    String image;
    Made made;
    made.code = makeUninstallerImage(file, input, image);
    made.image.assign(image.Data(), image.Data() + image.Length());
    return made;
}

} // namespace

TEST(EngineUninstallerImage, MatchesThePredictionWhereverTheArchiveSits)
{
    for (size_t index : {0, 2, 4}) {
        for (const std::vector<uint8_t>& trailer : {std::vector<uint8_t>{}, std::vector<uint8_t>{1, 2, 3}}) {
            SCOPED_TRACE(testing::Message() << "index " << index << ", trailer " << trailer.size());
            std::vector<uint8_t> installer = installerWithArchiveAt(index, trailer);
            Made made = make(installer);
            ASSERT_EQ(made.code, 0);
            EXPECT_EQ(made.image, predictUninstallerImage(installer));
        }
    }
}

TEST(EngineUninstallerImage, LastSectionWithoutTrailerGivesTheEngineBack)
{
    std::vector<uint8_t> engine = TinyPe().build();
    ProductSpec spec;
    spec.languages = {{"English", {"x"}}};
    ArchiveContent content;
    content.settings = writeSettings(spec);
    std::vector<uint8_t> installer = ArchiveWriter::writeInstaller(engine, content).image;
    EXPECT_EQ(make(installer).image, engine);
}

TEST(EngineUninstallerImage, StubChecksumIsComparedOnlyWhenAsked)
{
    std::vector<uint8_t> installer = installerWithArchiveAt(4, {});
    UninstallerImageInput input;
    input.stubChecksum = 0x12345678;
    EXPECT_EQ(make(installer, input).code, 0);
    input.checkStub = true;
    EXPECT_EQ(make(installer, input).code, kCorruptStubChecksum);
    MemoryReader whole(installer);
    findArchiveSection(whole, input.section);
    input.stubChecksum = archiveChecksum(installer.data(), int(input.section.rawOffset));
    EXPECT_EQ(make(installer, input).code, 0);
}

TEST(EngineUninstallerImage, PatchIsAppliedWhenItFits)
{
    std::vector<uint8_t> installer = installerWithArchiveAt(2, {5, 5});
    String patch("\x01\x02\x03", 3);
    const std::vector<uint8_t> bytes = {1, 2, 3};
    UninstallerImageInput input;
    input.patch = &patch;
    for (uint32_t offset : {0x300u, 0u, 0x7FFFFFF0u}) {
        input.patchOffset = offset;
        EXPECT_EQ(make(installer, input).image, predictUninstallerImage(installer, offset, bytes)) << offset;
    }
    size_t size = make(installer).image.size();
    input.patchOffset = static_cast<uint32_t>(size - 3);
    EXPECT_EQ(make(installer, input).image, predictUninstallerImage(installer, input.patchOffset, bytes));
    input.patchOffset = static_cast<uint32_t>(size - 2);
    EXPECT_EQ(make(installer, input).image, make(installer).image);
}

TEST(EngineUninstallerImage, UnreadableFileGivesItsCode)
{
    std::vector<uint8_t> installer = installerWithArchiveAt(2, {7, 7, 7});
    MemoryReader whole(installer);
    ArchiveSection section;
    ASSERT_EQ(findArchiveSection(whole, section), 0);
    // The file reads shorter than its size: the part before the archive, then the part behind.
    std::vector<uint8_t> head(installer.begin(), installer.begin() + section.rawOffset - 1);
    EXPECT_EQ(make(installer, {}, head).code, kCorruptStubRead);
    std::vector<uint8_t> cut(installer.begin(), installer.end() - 1);
    EXPECT_EQ(make(installer, {}, cut).code, kCorruptTrailerRead);
}
