#pragma once
// InstallerBuilder: an installer (and its volume files) from a product's settings and files
// and a copy of the engine. The output depends only on its input: the same product, files and
// engine give the same bytes (the settings key is the settings block's checksum).

#include "builder/FileDataWriter.h"
#include "builder/ProductSpec.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct InstallerInput {
    ProductSpec spec;                // kFlagCompressedData decides compression of the files
    std::vector<StoredFile> files;   // in installation order
    uint64_t volumeSize = 0;         // 0: everything in the installer; else the largest
                                     // size of each volume file and, where the engine and
                                     // settings leave room, of the installer itself
    CompressionLevel compression = CompressionLevel::kBest;   // of the files, when compressed
};

struct InstallerOutput {
    std::vector<uint8_t> installer;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> volumes;  // file name, bytes
    size_t plainDataSize = 0;        // the file-data block before compression
    size_t storedDataSize = 0;       // as stored
    size_t settingsSize = 0;         // the plain settings block
};

// Builds the installer. With a volume size, the data the installer carries fills its archive
// section exactly (the engine reads a multi-volume installer's data up to the end of its
// file, so no padding may follow it), and when all data fits there no volume is written and
// the installer is an ordinary one-file installer. Throws std::invalid_argument for settings
// the engine would refuse (settingsProblems) or a bad file, std::runtime_error for an engine
// that is not a PE image or has no room for another section.
InstallerOutput buildInstaller(const std::vector<uint8_t>& engine, InstallerInput input);

// The number of data bytes a multi-volume installer keeps, given where the archive starts in
// the file (sectionOffset), the data's offset in the archive (dataOffset), the section
// alignment and the volume size: dataOffset + share is a multiple of alignment, and the
// installer stays within volumeSize when that is possible (else the smallest such share).
size_t installerDataShare(size_t sectionOffset, size_t dataOffset, size_t alignment, uint64_t volumeSize);
