#pragma once
// Finding a named section in the headers of a PE image (the program's own file).

#include <cstdint>

// A section table entry's placement.
struct PeSection {
    uint32_t virtualAddress = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
};

enum class PeLookup {
    found,           // the section is there
    missing,         // the headers are sound, no section of that name
    badHeaderOffset, // the DOS header's offset of the PE header is not in 64..4096
    badSectionCount, // the PE header's section count is not in 4..99
};

// Looks for the first section whose 8-byte name is exactly name (case matters; the whole
// name must match) in the file's first size bytes at head. The PE header's offset is read as
// 16 bits at 0x3C, the section count at +6, the optional header's size at +20, and the table
// follows at +24 + that size. A field that lies beyond size counts as a failed read (the
// header offset or section count is then bad; a table entry beyond size ends the search).
// out is set only when found.
PeLookup findPeSection(const unsigned char* head, int size, const char* name, PeSection& out);
