#pragma once
// ArchiveSection: where the program's own file keeps its archive section, found by walking
// its PE headers.

#include "archive/portable/PositionedReader.h"

#include <cstdint>

struct ArchiveSection {
    uint32_t peOffset = 0;         // the PE header's file offset (16 bits at 0x3C)
    int sectionCount = 0;          // the PE header's section count
    uint32_t tableOffset = 0;      // file offset of the section table
    int index = 0;                 // the archive's entry in the table
    uint32_t virtualAddress = 0;   // entry offset 12
    uint32_t virtualSize = 0;      // entry offset 8
    uint32_t rawSize = 0;          // entry offset 16
    uint32_t rawOffset = 0;        // entry offset 20

    // The bytes of the section that the loader maps: its virtual size, or its raw size when
    // the virtual size is 0.
    uint32_t mappedSize() const { return virtualSize ? virtualSize : rawSize; }
};

// findArchiveSection's result when the headers are sound but no entry is named ".quiv".
constexpr int kNoArchiveSection = -1;

// Walks the PE headers through file: the u16 PE-header offset at 0x3C (a failed read or a
// value outside 64..4096: kCorruptPeOffset), the u16 section count at +6 (failed read or
// outside 4..99: kCorruptSectionCount), the u16 optional header size at +20, then the 40-byte
// table entries from +24 + that size, until one whose 8 name bytes are exactly ".quiv" (case
// matters; an entry that cannot be read ends the search). For that entry a raw-data offset of
// 0 gives kCorruptRawOffsetZero. Returns 0 with section filled, kNoArchiveSection, or the
// corrupt code; section is changed only on success.
int findArchiveSection(PositionedReader& file, ArchiveSection& section);
