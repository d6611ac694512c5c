#include "builder/InstallerReader.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/Decompressor.h"
#include "archive/portable/ArchiveCursor.h"
#include "archive/portable/ArchiveHeader.h"
#include "archive/portable/SettingsReader.h"
#include "builder/FileDataReader.h"
#include "builder/PeHeaders.h"

#include <climits>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

[[noreturn]] void corrupt(const std::string& what, int code)
{
    throw std::runtime_error(what + " (code " + std::to_string(code) + ")");
}

const PeSectionEntry& archiveSection(const PeHeaders& pe)
{
    for (const PeSectionEntry& s : pe.sections)
        if (s.name == kArchiveSectionName)
            return s;
    throw std::runtime_error("no \".quiv\" section: not an installer");
}

// What a header or settings-block fault code means, for the builder's messages.
std::string faultText(int code)
{
    switch (code) {
    case kCorruptOverrun: return "the archive section ends inside the header or settings block";
    case kCorruptMagic: return "wrong archive magic";
    case kCorruptSettingsSize: return "settings size out of range";
    case kCorruptArchiveEnd: return "negative archive end";
    case kCorruptFileCount: return "negative file count";
    case kCorruptDataSize: return "negative data size";
    case kCorruptStoredSize: return "a stored file size out of range";
    case kCorruptSettingsBlock: return "the settings block does not decompress";
    default: return "the archive header breaks a rule";
    }
}

// Reads the header and the settings block through the engine's own readers, so that the
// builder refuses exactly what an installer refuses; the cursor stands at the archive's start.
void readHeaderAndSettings(ArchiveCursor& cursor, size_t installerSize, InstallerContents& c)
{
    ArchiveHeader read;
    int code = readArchiveHeader(cursor, read);
    if (code == kArchiveVersionRefused)
        throw std::runtime_error("archive version " + std::to_string(read.version) + " is newer than this reader");
    if (code != 0)
        corrupt(faultText(code), code);
    ArchiveHeaderFields& h = c.header;
    h.magic = read.magic;
    h.version = read.version;
    h.settingsSize = read.settingsSize;
    h.settingsKey = read.settingsKey;
    h.stubChecksum = read.stubChecksum;
    h.archiveEnd = read.archiveEnd;
    h.fileCount = read.fileCount;
    h.dataSize = read.dataSize;
    h.dataChecksum = read.dataChecksum;
    h.storedSizes.assign(read.storedSizes.begin(), read.storedSizes.end());

    String buffer;
    code = openSettingsBlock(cursor, h.settingsSize, h.settingsKey, buffer);
    if (code != 0)
        corrupt(faultText(code), code);
    if (!settingsChecksumMatches(buffer, h.settingsKey))
        corrupt("settings checksum mismatch", kCorruptSettingsChecksum);
    c.settingsBlock.assign(buffer.Data(), buffer.Data() + buffer.Length());

    c.settings = std::make_unique<ProductSettings>();
    c.languages = std::make_unique<Language>();
    SettingsReader reader;
    reader.programFileSize = static_cast<int64_t>(installerSize);
    code = reader.read(buffer.Data(), buffer.Length(), c.productName, *c.settings, *c.languages);
    if (code != 0)
        corrupt("the settings block breaks a rule", code);
}

std::string str(const String& s) { return std::string(s.Data(), s.Length()); }

std::vector<uint8_t> gatherData(const std::vector<uint8_t>& installer, size_t dataStart, const uint8_t* section,
                                size_t sectionSize, const VolumeLoader& volumes, InstallerContents& c)
{
    const ArchiveHeaderFields& h = c.header;
    const ProductSettings& s = *c.settings;
    const size_t total = static_cast<size_t>(h.dataSize);
    const size_t dataOffset = dataStart;
    std::vector<uint8_t> data;
    if (s.multiVolume) {
        // The installer reads everything from the data's start to the end of its file.
        size_t from = c.sectionRawOffset + dataOffset;
        if (from > installer.size())
            throw std::runtime_error("Error code 2: failed to read archive data");
        data.assign(installer.begin() + from, installer.end());
    } else {
        size_t end = static_cast<size_t>(h.archiveEnd);
        if (end < dataOffset || end > sectionSize)
            corrupt("archive end outside the archive section", kCorruptOverrun);
        data.assign(section + dataOffset, section + end);
    }
    if (data.size() > total)
        corrupt("the installer holds more file data than the header says", kCorruptVolumeRead);
    uint32_t sequence = s.firstVolumeNumber;
    uint32_t number = kFirstVolumeNumber - 1;
    while (data.size() < total) {
        ++number;
        std::string name = volumeFileName(str(s.volumeBaseName), number);
        std::optional<std::vector<uint8_t>> v = volumes(name);
        if (!v)
            throw std::runtime_error("volume " + name + " is missing");
        if (v->size() <= 4 || loadU32(v->data()) != sequence)
            throw std::runtime_error("volume " + name + " is not volume " + std::to_string(number) + " of this installer");
        if (v->size() - 4 > total - data.size())
            corrupt("volume " + name + " is longer than the data it should complete", kCorruptVolumeRead);
        data.insert(data.end(), v->begin() + 4, v->end());
        c.volumeNames.push_back(name);
        ++sequence;
    }
    if (archiveChecksum(data.data(), static_cast<int>(data.size())) != h.dataChecksum)
        corrupt("file data checksum mismatch", kCorruptDataChecksum);
    return data;
}

} // namespace

InstallerContents readInstaller(const std::vector<uint8_t>& installer, const VolumeLoader& volumes)
{
    if (installer.size() > static_cast<size_t>(INT32_MAX))
        throw std::runtime_error("the installer is larger than 2 GiB");
    InstallerContents c;
    PeHeaders pe = readPeHeaders(installer);
    const PeSectionEntry& sec = archiveSection(pe);
    if (sec.rawOffset == 0)
        corrupt("the archive section has no data", kCorruptRawOffsetZero);
    if (sec.rawOffset > installer.size() || installer.size() - sec.rawOffset < sec.rawSize)
        corrupt("the archive section passes the end of the file", kCorruptRawOffsetSeek);
    c.sectionRawOffset = sec.rawOffset;
    c.sectionRawSize = sec.rawSize;
    const uint8_t* a = installer.data() + sec.rawOffset;
    c.stubChecksum = archiveChecksum(installer.data(), static_cast<int>(sec.rawOffset));
    ArchiveCursor cursor(a, sec.rawSize);
    readHeaderAndSettings(cursor, installer.size(), c);
    const size_t settingsAt = kHeaderFixedSize + size_t(kStoredSizeWidth) * c.header.fileCount;
    if (c.settings->hasFlag(kFlagCheckStub) && !c.stubChecksumMatches())
        corrupt("stub checksum mismatch", kCorruptStubChecksum);

    std::vector<uint8_t> data =
        gatherData(installer, settingsAt + c.header.settingsSize, a, sec.rawSize, volumes, c);
    c.dataCompressed = c.settings->hasFlag(kFlagCompressedData) && !data.empty();
    if (c.dataCompressed) {
        String buffer(reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()));
        if (!decompressBlock(buffer))
            corrupt("the file data does not decompress", kCorruptDataBlock);
        data.assign(buffer.Data(), buffer.Data() + buffer.Length());
    }
    c.plainDataSize = data.size();
    c.files = readFileData(data.data(), data.size(), c.header.storedSizes);
    return c;
}

VolumeLoader volumesInDirectory(const std::string& dir)
{
    return [dir](const std::string& name) -> std::optional<std::vector<uint8_t>> {
        std::ifstream in(dir.empty() ? name : dir + "/" + name, std::ios::binary);
        if (!in)
            return std::nullopt;
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
}
