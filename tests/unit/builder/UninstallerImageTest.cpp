#include "builder/UninstallerImage.h"

#include "builder/PeHeaders.h"
#include "tests/support/TinyPe.h"

#include <gtest/gtest.h>

namespace {

// A PE whose archive section sits between others, as no builder of ours writes it but an
// installer may be edited to.
TinyPe withArchiveAt(size_t index)
{
    TinyPe pe;
    pe.sections.insert(pe.sections.begin() + static_cast<long>(index), {".quiv", std::vector<uint8_t>(0x450, 0xAA)});
    pe.trailer = {1, 2, 3, 4, 5};
    return pe;
}

} // namespace

TEST(UninstallerImage, MiddleSectionIsCutAndLaterEntriesMoveDown)
{
    TinyPe pe = withArchiveAt(2);
    std::vector<uint8_t> installer = pe.build();
    PeHeaders in = readPeHeaders(installer);
    const PeSectionEntry archive = in.sections[2];   // raw size 0x600

    std::vector<uint8_t> image = predictUninstallerImage(installer);
    ASSERT_EQ(image.size(), installer.size() - archive.rawSize);
    PeHeaders out = readPeHeaders(image);
    EXPECT_EQ(out.sectionCount, in.sectionCount - 1);
    EXPECT_EQ(out.sizeOfImage, in.sizeOfImage - archive.rawSize);
    EXPECT_EQ(out.sizeOfInitializedData, in.sizeOfInitializedData - archive.rawSize);
    ASSERT_EQ(out.sections.size(), 4u);
    EXPECT_EQ(out.sections[2].name, ".data");
    EXPECT_EQ(out.sections[2].rawOffset, in.sections[3].rawOffset - archive.rawSize);
    EXPECT_EQ(out.sections[3].name, ".rsrc");
    EXPECT_EQ(out.sections[3].virtualAddress, in.sections[4].virtualAddress);   // unchanged
    for (uint32_t k = 0; k < 40; ++k)
        EXPECT_EQ(image[out.entryOffset(4) + k], 0) << k;
    // The data behind the archive follows the data before it; the trailer stays last.
    EXPECT_TRUE(std::equal(installer.begin() + archive.rawOffset + archive.rawSize, installer.end(),
                           image.begin() + archive.rawOffset));
    EXPECT_EQ(std::vector<uint8_t>(image.end() - 5, image.end()), pe.trailer);
}

TEST(UninstallerImage, EntryWithoutDataKeepsOffsetZero)
{
    TinyPe pe = withArchiveAt(1);
    pe.sections.push_back({".bss", {}});
    std::vector<uint8_t> image = predictUninstallerImage(pe.build());
    EXPECT_EQ(readPeHeaders(image).sections.back().rawOffset, 0u);
}

TEST(UninstallerImage, PatchAppliesOnlyWhenItFits)
{
    std::vector<uint8_t> installer = withArchiveAt(4).build();
    std::vector<uint8_t> plain = predictUninstallerImage(installer);
    std::vector<uint8_t> patch = {9, 8, 7};
    std::vector<uint8_t> patched = predictUninstallerImage(installer, 0x300, patch);
    EXPECT_EQ(std::vector<uint8_t>(patched.begin() + 0x300, patched.begin() + 0x303), patch);
    uint32_t end = static_cast<uint32_t>(plain.size());
    EXPECT_EQ(predictUninstallerImage(installer, end - 3, patch).back(), 7);   // ends at the end
    EXPECT_EQ(predictUninstallerImage(installer, end - 2, patch), plain);      // would pass it
    EXPECT_EQ(predictUninstallerImage(installer, 0, patch), plain);            // offset 0: none
}

TEST(UninstallerImage, RefusesAnImageWithoutArchive)
{
    TinyPe pe;
    pe.sections[0].name = ".QUIV";
    EXPECT_THROW(predictUninstallerImage(pe.build()), std::runtime_error);
}
