#include "builder/InstallerReader.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/Decompressor.h"
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

ArchiveHeaderFields readHeader(const uint8_t* a, size_t size)
{
    if (size < static_cast<size_t>(kHeaderFixedSize))
        corrupt("the archive section is shorter than the header", kCorruptOverrun);
    ArchiveHeaderFields h;
    h.magic = loadU32(a + kHeaderMagicOffset);
    if (h.magic != kArchiveMagic)
        corrupt("wrong archive magic", kCorruptMagic);
    h.version = loadI32(a + kHeaderVersionOffset);
    if (!archiveVersionAccepted(h.version))
        throw std::runtime_error("archive version " + std::to_string(h.version) + " is newer than this reader");
    h.settingsSize = loadI32(a + kHeaderSettingsSizeOffset);
    if (h.settingsSize < 1 || h.settingsSize > kMaxSettingsSize)
        corrupt("settings size out of range", kCorruptSettingsSize);
    h.settingsKey = loadU32(a + kHeaderSettingsKeyOffset);
    h.stubChecksum = loadU32(a + kHeaderStubChecksumOffset);
    h.archiveEnd = loadI32(a + kHeaderArchiveEndOffset);
    if (h.archiveEnd < 0)
        corrupt("negative archive end", kCorruptArchiveEnd);
    h.fileCount = loadI32(a + kHeaderFileCountOffset);
    if (h.fileCount < 0)
        corrupt("negative file count", kCorruptFileCount);
    h.dataSize = loadI32(a + kHeaderDataSizeOffset);
    if (h.dataSize < 0)
        corrupt("negative data size", kCorruptDataSize);
    h.dataChecksum = loadU32(a + kHeaderDataChecksumOffset);
    if ((size - kHeaderFixedSize) / kStoredSizeWidth < static_cast<size_t>(h.fileCount))
        corrupt("the size list passes the archive section", kCorruptOverrun);
    for (int32_t i = 0; i < h.fileCount; ++i) {
        int32_t s = loadI32(a + kHeaderFixedSize + kStoredSizeWidth * i);
        if (s < 0 || s > kMaxStoredFileSize)
            corrupt("stored size of file " + std::to_string(i + 1) + " out of range", kCorruptStoredSize);
        h.storedSizes.push_back(s);
    }
    return h;
}

void readSettingsBlock(const uint8_t* block, const ArchiveHeaderFields& h, size_t installerSize, InstallerContents& c)
{
    String buffer(reinterpret_cast<const char*>(block), h.settingsSize);
    unscramble(buffer.Data(), buffer.Length(), h.settingsKey);
    if (!decompressBlock(buffer))
        corrupt("the settings block does not decompress", kCorruptSettingsBlock);
    if (archiveChecksum(buffer.Data(), buffer.Length()) != h.settingsKey)
        corrupt("settings checksum mismatch", kCorruptSettingsChecksum);
    c.settingsBlock.assign(buffer.Data(), buffer.Data() + buffer.Length());

    c.settings = std::make_unique<ProductSettings>();
    c.languages = std::make_unique<Language>();
    SettingsReader reader;
    reader.programFileSize = static_cast<int64_t>(installerSize);
    int code = reader.read(buffer.Data(), buffer.Length(), c.productName, *c.settings, *c.languages);
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
    c.header = readHeader(a, sec.rawSize);
    c.stubChecksum = archiveChecksum(installer.data(), static_cast<int>(sec.rawOffset));

    const size_t settingsAt = kHeaderFixedSize + size_t(kStoredSizeWidth) * c.header.fileCount;
    if (sec.rawSize < settingsAt || sec.rawSize - settingsAt < static_cast<size_t>(c.header.settingsSize))
        corrupt("the settings block passes the archive section", kCorruptOverrun);
    readSettingsBlock(a + settingsAt, c.header, installer.size(), c);
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
