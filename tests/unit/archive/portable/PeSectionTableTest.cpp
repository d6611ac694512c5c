#include "archive/portable/PeSectionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A minimal image head: PE header at peOffset, an optional header of optionalSize bytes and
// one table entry per name.
std::vector<unsigned char> imageHead(const std::vector<const char*>& names, int peOffset = 0x80,
                                     int optionalSize = 0xF0)
{
    std::vector<unsigned char> head(static_cast<size_t>(peOffset + 24 + optionalSize + 40 * names.size()));
    auto put16 = [&](size_t at, unsigned v) {
        head[at] = static_cast<unsigned char>(v);
        head[at + 1] = static_cast<unsigned char>(v >> 8);
    };
    auto put32 = [&](size_t at, unsigned v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    head[0] = 'M';
    head[1] = 'Z';
    put16(0x3C, static_cast<unsigned>(peOffset));
    std::memcpy(&head[static_cast<size_t>(peOffset)], "PE\0\0", 4);
    put16(static_cast<size_t>(peOffset) + 6, static_cast<unsigned>(names.size()));
    put16(static_cast<size_t>(peOffset) + 20, static_cast<unsigned>(optionalSize));
    for (size_t i = 0; i < names.size(); ++i) {
        size_t entry = static_cast<size_t>(peOffset + 24 + optionalSize) + 40 * i;
        std::memcpy(&head[entry], names[i], std::min<size_t>(8, std::strlen(names[i])));
        put32(entry + 12, 0x1000 * static_cast<unsigned>(i + 1)); // virtual address
        put32(entry + 16, 0x200 + static_cast<unsigned>(i));      // raw size
        put32(entry + 20, 0x400 * static_cast<unsigned>(i + 1)); // raw offset
    }
    return head;
}

PeLookup lookup(const std::vector<unsigned char>& head, const char* name, PeSection& out)
{
    return findPeSection(head.data(), static_cast<int>(head.size()), name, out);
}

} // namespace

TEST(PeSectionTable, FindsTheExactNameOnly)
{
    // Names that only resemble it come first and are passed over.
    auto head = imageHead({".text", ".QUIV", ".quiv2", ".qui", ".quiv", ".quiv"});
    PeSection s;
    ASSERT_EQ(PeLookup::found, lookup(head, ".quiv", s));
    EXPECT_EQ(0x5000u, s.virtualAddress);
    EXPECT_EQ(0x204u, s.rawSize);
    EXPECT_EQ(0x1400u, s.rawOffset);

    // An eight-byte name has no terminating zero in the table.
    ASSERT_EQ(PeLookup::found, lookup(imageHead({".a", ".b", ".c", "12345678"}), "12345678", s));
    EXPECT_EQ(0x4000u, s.virtualAddress);
}

TEST(PeSectionTable, MissingAndMalformed)
{
    PeSection s;
    EXPECT_EQ(PeLookup::missing, lookup(imageHead({".text", ".data", ".rdata", ".rsrc"}), ".quiv", s));
    EXPECT_EQ(PeLookup::badHeaderOffset, lookup(imageHead({".a", ".b", ".c", ".quiv"}, 0x3E), ".quiv", s));
    EXPECT_EQ(PeLookup::found, lookup(imageHead({".a", ".b", ".c", ".quiv"}, 0x40), ".quiv", s));
    EXPECT_EQ(PeLookup::badSectionCount, lookup(imageHead({".a", ".b", ".quiv"}), ".quiv", s));
    EXPECT_EQ(PeLookup::badHeaderOffset, findPeSection(nullptr, 0, ".quiv", s));

    // A table cut off by the end of what was read: the entries beyond are not looked at.
    auto head = imageHead({".a", ".b", ".c", ".quiv"});
    head.resize(head.size() - 1);
    EXPECT_EQ(PeLookup::missing, lookup(head, ".quiv", s));
}
