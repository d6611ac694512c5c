#include "builder/SettingsWriter.h"

#include "archive/format/ArchiveFormat.h"

#include <gtest/gtest.h>

namespace {

ProductSpec soundSpec()
{
    ProductSpec spec;
    spec.productName = "App";
    spec.languages = {{"English", {"App Setup"}}};
    return spec;
}

} // namespace

TEST(SettingsWriter, BlockStartsWithTheFlagsAndEndsWithTheMarker)
{
    ProductSpec spec = soundSpec();
    spec.productFlags = 0x0102030405060708ull;
    const std::vector<uint8_t> block = writeSettings(spec);
    ASSERT_GE(block.size(), 12u);
    EXPECT_EQ(0x05060708u, loadU32(block.data()));
    EXPECT_EQ(0x01020304u, loadU32(block.data() + 4));
    EXPECT_EQ(kSettingsEndMarker, loadU32(block.data() + block.size() - 4));
}

TEST(SettingsWriter, ConditionalFieldsAddExactlyTheirBytes)
{
    ProductSpec spec = soundSpec();
    spec.masterKeyName = "Master";
    spec.patchOffset = 10;
    spec.patchBytes = {1, 2, 3};
    const size_t plain = writeSettings(spec).size();

    spec.setFlag(kFlagMasterUpdate);
    EXPECT_EQ(plain + 7, writeSettings(spec).size());          // "Master" and its zero
    spec.setFlag(kFlagUninstallSupport);
    EXPECT_EQ(plain + 7 + 4 + 4 + 3, writeSettings(spec).size()); // offset, length, bytes
    spec.patchOffset = 0;
    EXPECT_EQ(plain + 7 + 4, writeSettings(spec).size());      // the offset alone
}

TEST(SettingsWriter, ProblemsNameEachBrokenRule)
{
    EXPECT_TRUE(settingsProblems(soundSpec()).empty());

    ProductSpec spec = soundSpec();
    spec.stepDelay = 10000;
    spec.volumeBaseName = " ";
    spec.licenceTexts.assign(21, "l");
    spec.deletions = {{"~~THE END~~", 0, "", 0}};
    spec.languages[0].messages.push_back(std::string("a\0b", 3));
    const std::vector<std::string> p = settingsProblems(spec);
    ASSERT_EQ(5u, p.size());
    EXPECT_EQ("step delay above 9999 ms", p[0]);
    EXPECT_EQ("more than 20 licence texts", p[1]);
    EXPECT_EQ("blank volume base name", p[2]);
    EXPECT_EQ("a deletion path equal to the table's end name", p[3]);
    EXPECT_EQ("message of English holds a zero byte", p[4]);

    ProductSpec none = soundSpec();
    none.languages.clear();
    EXPECT_EQ((std::vector<std::string>{"language count not in 1..100", "message count not in 1..10000"}),
              settingsProblems(none));
}
