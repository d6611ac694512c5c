#pragma once
// ArchiveWriter: the archive section of an installer (header, stored-size list, the settings
// block compressed and scrambled, the file-data block) and the installer itself, a copy of
// the engine with that section added and the stub checksum filled in. For tests it can break
// any field on purpose (ArchiveCorruption).

#include "builder/PeSectionWriter.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What goes into the archive.
struct ArchiveContent {
    std::vector<uint8_t> settings;        // the plain settings block (writeSettings)
    std::vector<int32_t> storedSizes;     // stored size of each file, in file-record order
    std::vector<uint8_t> fileData;        // the file-data bytes held in this section
    std::optional<int32_t> dataSize;      // the whole data block over all volumes; default
                                          // fileData's size
    std::optional<uint32_t> dataChecksum; // default: archiveChecksum of fileData
};

// Deliberate faults. Every field left empty is written correctly.
struct ArchiveCorruption {
    // Header fields, written as given instead of the right value.
    std::optional<uint32_t> magic;
    std::optional<int32_t> version;
    std::optional<int32_t> settingsSize;     // the header's value only; the block is unchanged
    std::optional<uint32_t> settingsKey;     // the header's key, also used to scramble the
                                             // block: it decompresses, its checksum differs
    std::optional<uint32_t> scrambleKey;     // scramble the block with this key instead of
                                             // the header's
    std::optional<uint32_t> stubChecksum;
    std::optional<int32_t> archiveEnd;
    std::optional<int32_t> fileCount;        // the header's count; the list is unchanged
    std::optional<int32_t> dataSize;
    std::optional<uint32_t> dataChecksum;
    std::map<size_t, int32_t> storedSizes;   // entry index -> value
    std::optional<std::vector<uint8_t>> compressedSettings;   // stored instead of the block
    // The installer's headers, edited after the section was added (the stub checksum is
    // computed on the edited bytes).
    std::optional<uint16_t> peOffsetField;   // the u16 at 0x3C
    std::optional<uint16_t> sectionCount;
    std::optional<std::string> sectionName;  // up to 8 bytes, zero-padded
    std::optional<uint32_t> sectionRawOffset;
};

class ArchiveWriter {
public:
    struct Result {
        std::vector<uint8_t> image;          // the installer
        PeSectionWriter::Placement section;  // where the archive section went
        uint32_t settingsKey = 0;            // the header's key
        size_t compressedSettingsSize = 0;   // the stored settings block's length
    };

    // The archive bytes: header, sizes, the settings block compressed and scrambled with its
    // key (archiveChecksum of content.settings unless corruption says otherwise), then
    // content.fileData. archiveEnd is the offset of the end of fileData. stubChecksum goes
    // into its header field unless corruption sets it. compressedSize, when given, receives
    // the stored settings block's length. Throws std::length_error when a part passes the
    // format's 31-bit sizes.
    static std::vector<uint8_t> writeArchive(const ArchiveContent& content, const ArchiveCorruption& corruption,
                                             uint32_t stubChecksum, size_t* compressedSize = nullptr);

    // The installer made from engine (a PE32 or PE32+ image): the archive in a new ".quiv"
    // section behind the engine's last, the header edits of corruption applied, then the stub
    // checksum (archiveChecksum of the bytes before the section's data) stored in the
    // header. Throws what PeSectionWriter throws (std::runtime_error with a clear message
    // when the engine has no room for one more section header).
    static Result writeInstaller(const std::vector<uint8_t>& engine, const ArchiveContent& content,
                                 const ArchiveCorruption& corruption = {});
};
