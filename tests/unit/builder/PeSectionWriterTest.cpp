#include "builder/PeSectionWriter.h"

#include "builder/UninstallerImage.h"
#include "tests/support/TinyPe.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> payload(size_t n)
{
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(i * 7 + 1);
    return v;
}

} // namespace

TEST(PeSectionWriter, AppendsAlignedSectionAndUpdatesSizesForBothFormats)
{
    for (bool plus : {false, true}) {
        SCOPED_TRACE(plus ? "PE32+" : "PE32");
        TinyPe pe;
        pe.pe32Plus = plus;
        std::vector<uint8_t> stub = pe.build();
        PeHeaders before = readPeHeaders(stub);

        PeSectionWriter writer(stub);
        PeSectionWriter::Placement at;
        std::vector<uint8_t> data = payload(5000);
        std::vector<uint8_t> out = writer.addSection(".quiv", data, &at);
        PeHeaders after = readPeHeaders(out);

        EXPECT_EQ(after.pe32Plus, plus);
        ASSERT_EQ(after.sectionCount, before.sectionCount + 1);
        const PeSectionEntry& s = after.sections.back();
        EXPECT_EQ(s.name, ".quiv");
        EXPECT_EQ(s.virtualAddress, before.sizeOfImage);   // the image was aligned already
        EXPECT_EQ(s.virtualAddress % before.sectionAlignment, 0u);
        EXPECT_EQ(s.rawOffset, stub.size());               // the file was aligned already
        EXPECT_EQ(s.rawSize, 0x2000u);                     // 5000 padded to the section alignment
        EXPECT_EQ(s.virtualSize, s.rawSize);
        EXPECT_EQ(at.index, before.sectionCount);
        EXPECT_EQ(at.rawOffset, s.rawOffset);
        EXPECT_EQ(after.sizeOfImage, before.sizeOfImage + 0x2000u);
        EXPECT_EQ(after.sizeOfInitializedData, before.sizeOfInitializedData + 0x2000u);
        ASSERT_EQ(out.size(), s.rawOffset + s.rawSize);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), out.begin() + s.rawOffset));
        // Everything before the section's data is the stub's but for the edited fields.
        EXPECT_EQ(predictUninstallerImage(out), stub);
    }
}

TEST(PeSectionWriter, PadsAnUnalignedFileEndBeforeTheSection)
{
    TinyPe pe;
    pe.trailer = payload(33);
    std::vector<uint8_t> stub = pe.build();
    std::vector<uint8_t> out = PeSectionWriter(stub).addSection(".quiv", payload(10));
    PeHeaders after = readPeHeaders(out);
    EXPECT_EQ(after.sections.back().rawOffset % after.fileAlignment, 0u);
    EXPECT_GT(after.sections.back().rawOffset, stub.size());
}

TEST(PeSectionWriter, RefusesHeadersWithoutRoomForAnotherEntry)
{
    // PE32: the table starts 24 + 224 bytes behind the PE header; the headers end at 0x200.
    TinyPe pe;
    pe.sizeOfHeaders = 0x200;
    pe.peOffset = 0x40;   // table at 0x138, a fifth entry ends at 0x200 exactly: fits
    EXPECT_NO_THROW(PeSectionWriter(pe.build()).addSection(".quiv", payload(4)));
    pe.peOffset = 0x60;   // table at 0x158, four entries end at 0x1F8: no room for a fifth
    try {
        PeSectionWriter(pe.build()).addSection(".quiv", payload(4));
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no room for one more section header"), std::string::npos) << e.what();
    }
}

TEST(PeSectionWriter, RefusesASlotThatHoldsOtherData)
{
    std::vector<uint8_t> stub = TinyPe().build();
    PeHeaders h = readPeHeaders(stub);
    stub[h.entryOffset(h.sectionCount) + 5] = 1;
    EXPECT_THROW(PeSectionWriter(stub).addSection(".quiv", payload(4)), std::runtime_error);
}

TEST(PeSectionWriter, RefusesWhatIsNotAnExecutableAndBadNames)
{
    std::vector<uint8_t> stub = TinyPe().build();
    std::vector<uint8_t> noSignature = stub;
    noSignature[0x80] = 'X';
    EXPECT_THROW(PeSectionWriter{noSignature}, std::runtime_error);
    EXPECT_THROW(PeSectionWriter(std::vector<uint8_t>(10, 0)), std::runtime_error);
    EXPECT_THROW(PeSectionWriter(stub).addSection("", payload(1)), std::invalid_argument);
    EXPECT_THROW(PeSectionWriter(stub).addSection(".quivquiv", payload(1)), std::invalid_argument);
}

TEST(PeSectionWriter, RealEnginesRoundTripWhenBuilt)
{
    int found = 0;
    for (const char* build : {"win64", "win32"}) {
        std::ifstream in(std::string(QUIV_SOURCE_DIR "/build/") + build + "/qsx.exe", std::ios::binary);
        if (!in)
            continue;
        SCOPED_TRACE(build);
        ++found;
        std::vector<uint8_t> engine((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<uint8_t> out = PeSectionWriter(engine).addSection(".quiv", payload(100000));
        PeHeaders h = readPeHeaders(out);
        EXPECT_EQ(h.pe32Plus, std::string(build) == "win64");
        EXPECT_EQ(h.sections.back().name, ".quiv");
        EXPECT_EQ(predictUninstallerImage(out), engine);
    }
    if (found == 0)
        GTEST_SKIP() << "no engine built";
}
