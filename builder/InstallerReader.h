#pragma once
// InstallerReader: an installer read back the way the installer reads itself (archive
// section, header, settings block, file data from the installer and its volume files), with
// every check, for `quiv list`, `quiv extract` and the tests.

#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "builder/FileDataWriter.h"
#include "core/String.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct ArchiveHeaderFields {
    uint32_t magic = 0;
    int32_t version = 0;
    int32_t settingsSize = 0;
    uint32_t settingsKey = 0;
    uint32_t stubChecksum = 0;
    int32_t archiveEnd = 0;
    int32_t fileCount = 0;
    int32_t dataSize = 0;
    uint32_t dataChecksum = 0;
    std::vector<int32_t> storedSizes;
};

struct InstallerContents {
    uint32_t sectionRawOffset = 0;
    uint32_t sectionRawSize = 0;
    ArchiveHeaderFields header;
    uint32_t stubChecksum = 0;            // computed over the bytes before the section
    std::vector<uint8_t> settingsBlock;   // unscrambled, decompressed
    String productName;                   // as the installer derives it
    std::unique_ptr<ProductSettings> settings;
    std::unique_ptr<Language> languages;
    std::vector<std::string> volumeNames; // the volume files read, in order
    bool dataCompressed = false;
    size_t plainDataSize = 0;             // the data block after decompression
    std::vector<StoredFile> files;

    bool stubChecksumMatches() const { return stubChecksum == header.stubChecksum; }
};

// Returns the bytes of the volume file of that name (beside the installer), or nothing when
// it is missing.
using VolumeLoader = std::function<std::optional<std::vector<uint8_t>>(const std::string& name)>;

// Reads installer (the whole file) with volumes giving its volume files. Throws
// std::runtime_error, with the installer's corrupt code where it has one, for anything the
// installer would refuse: no ".quiv" section, a bad header field, a settings block that does
// not unscramble, decompress and check, a missing or wrong volume, a data checksum mismatch,
// a bad file record; also a stub checksum mismatch when the product asks for the check.
InstallerContents readInstaller(const std::vector<uint8_t>& installer, const VolumeLoader& volumes);

// A loader for the volume files in directory dir.
VolumeLoader volumesInDirectory(const std::string& dir);
