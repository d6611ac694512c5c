#pragma once
// FileDataWriter: the installer's file-data block (the records of archive/format/FileRecord.h
// with each file's bytes inside), compressed as a whole when the product asks for it, and
// the split of the stored block over the installer and its volume files.

#include "archive/format/ArchiveTime.h"
#include "archive/format/FileRecord.h"
#include "builder/CompressionLevel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One file as the builder stores it.
struct StoredFile {
    std::string name;                      // file name in its destination directory
    uint32_t kind = kKindInstallDir;       // FileDestinationKind
    uint32_t flags = 0;                    // FileRecordFlag bits
    uint32_t attributes = kKeepAttributes;
    std::vector<uint8_t> data;
    ArchiveTime time;                      // no date, no time: the engine's write time stays
    std::string text;                      // version, font title or shortcut title
    std::string shortcutIcon;              // written only with a shortcut flag
    std::string shortcutArguments;
    std::string destination;               // empty, a file name, or a path with a backslash

    bool hasShortcut() const { return (flags & (kFileDesktopShortcut | kFileStartMenuShortcut)) != 0; }
};

// The stored data block and what the archive header says about it.
struct FileDataBlock {
    std::vector<int32_t> storedSizes;  // each file's data size, in record order
    std::vector<uint8_t> bytes;        // the block as stored: compressed when asked
    uint32_t checksum = 0;             // archiveChecksum of bytes
    size_t plainSize = 0;              // the records' size before compression
};

// The records of files, in order, then the whole compressed at level when compressed is true
// and there is at least one byte (an empty block is never compressed: the engine does not
// decompress it). Throws std::invalid_argument, naming the file, for an empty name, a kind
// the engine refuses, a text holding a zero byte, or data above kMaxStoredFileSize bytes; and
// std::length_error when the block passes 2 GiB.
FileDataBlock writeFileData(const std::vector<StoredFile>& files, bool compressed,
                            CompressionLevel level = CompressionLevel::kBest);

// The stored block cut into the installer's share and its volume files.
struct VolumeSet {
    std::vector<uint8_t> inInstaller;             // the first bytes, kept in the installer
    std::vector<std::vector<uint8_t>> volumes;    // each: u32 sequence number, then bytes
    std::vector<uint32_t> numbers;                // the number in each volume's name (2, 3, ...)
};

// block's first firstShare bytes (all when it is larger) stay in the installer; the rest
// goes into volumes of at most volumeSize bytes each, the 4-byte sequence number included,
// numbered from firstSequence in their first word and from kFirstVolumeNumber in their names.
// Throws std::invalid_argument when volumeSize is 4 bytes or less and a volume is needed.
VolumeSet splitVolumes(const std::vector<uint8_t>& block, size_t firstShare, size_t volumeSize,
                       uint32_t firstSequence);

// The file name of volume number beside the installer: base + number + ".QSX".
std::string volumeFileName(const std::string& base, uint32_t number);
