#include "builder/FileDataWriter.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/SettingsLayout.h"
#include "builder/BlockWriter.h"
#include "builder/Compressor.h"
#include "builder/OptimalCompressor.h"

#include <climits>
#include <stdexcept>

namespace {

void putU32(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t b[4];
    storeU32(b, value);
    out.insert(out.end(), b, b + 4);
}

void putText(std::vector<uint8_t>& out, const std::string& text, const StoredFile& file, const char* field)
{
    if (text.find('\0') != std::string::npos)
        throw std::invalid_argument("file \"" + file.name + "\": its " + field + " holds a zero byte");
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

void putTime(std::vector<uint8_t>& out, const ArchiveTime& t)
{
    for (int32_t v : {t.year, t.month, t.day, t.hour, t.minute, t.second})
        putU32(out, static_cast<uint32_t>(v));
}

void putRecord(std::vector<uint8_t>& out, const StoredFile& file)
{
    if (file.name.empty())
        throw std::invalid_argument("a stored file has an empty name");
    if (!isFileDestinationKind(file.kind))
        throw std::invalid_argument("file \"" + file.name + "\": destination kind " + std::to_string(file.kind) +
                                    " is not one the installer knows");
    if (file.data.size() > static_cast<size_t>(kMaxStoredFileSize))
        throw std::invalid_argument("file \"" + file.name + "\" is larger than 1 GiB");
    putText(out, file.name, file, "name");
    putU32(out, file.kind);
    putU32(out, file.flags);
    putU32(out, file.attributes);
    out.insert(out.end(), file.data.begin(), file.data.end());
    putU32(out, archiveChecksum(file.data.data(), static_cast<int>(file.data.size())));
    putTime(out, file.time);
    putText(out, file.text, file, "text");
    if (file.hasShortcut())
        putText(out, file.shortcutIcon, file, "shortcut icon");
    putText(out, file.shortcutArguments, file, "shortcut arguments");
    putText(out, file.destination, file, "destination");
    if (out.size() > static_cast<size_t>(INT32_MAX))
        throw std::length_error("the file data passes 2 GiB");
}

} // namespace

FileDataBlock writeFileData(const std::vector<StoredFile>& files, bool compressed, CompressionLevel level)
{
    FileDataBlock result;
    std::vector<uint8_t> plain;
    for (const StoredFile& file : files) {
        putRecord(plain, file);
        result.storedSizes.push_back(static_cast<int32_t>(file.data.size()));
    }
    result.plainSize = plain.size();
    if (compressed && !plain.empty())
        result.bytes = level == CompressionLevel::kFast
                           ? compressBlock(plain.data(), plain.size())
                           : writeBlock(plain.data(), plain.size(), OptimalCompressor().parse(plain.data(), plain.size()));
    else
        result.bytes = std::move(plain);
    if (result.bytes.size() > static_cast<size_t>(INT32_MAX))
        throw std::length_error("the file data passes 2 GiB");
    result.checksum = archiveChecksum(result.bytes.data(), static_cast<int>(result.bytes.size()));
    return result;
}

VolumeSet splitVolumes(const std::vector<uint8_t>& block, size_t firstShare, size_t volumeSize,
                       uint32_t firstSequence)
{
    VolumeSet set;
    size_t first = std::min(firstShare, block.size());
    set.inInstaller.assign(block.begin(), block.begin() + first);
    size_t pos = first;
    if (pos < block.size() && volumeSize <= 4)
        throw std::invalid_argument("a volume must be larger than 4 bytes");
    uint32_t sequence = firstSequence;
    uint32_t number = kFirstVolumeNumber;
    while (pos < block.size()) {
        size_t n = std::min(volumeSize - 4, block.size() - pos);
        std::vector<uint8_t> volume;
        volume.reserve(n + 4);
        putU32(volume, sequence++);
        volume.insert(volume.end(), block.begin() + pos, block.begin() + pos + n);
        set.volumes.push_back(std::move(volume));
        set.numbers.push_back(number++);
        pos += n;
    }
    return set;
}

std::string volumeFileName(const std::string& base, uint32_t number)
{
    return base + std::to_string(number) + ".QSX";
}
