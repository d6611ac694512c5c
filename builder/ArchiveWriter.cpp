#include "builder/ArchiveWriter.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/Compressor.h"
#include "builder/PeHeaders.h"
#include "builder/Scramble.h"

#include <climits>
#include <stdexcept>

namespace {

void appendU32(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t b[4];
    storeU32(b, value);
    out.insert(out.end(), b, b + 4);
}

int32_t size31(size_t n, const char* what)
{
    if (n > static_cast<size_t>(INT32_MAX))
        throw std::length_error(std::string("archive: ") + what + " passes 2 GiB");
    return static_cast<int32_t>(n);
}

uint32_t checksumOf(const std::vector<uint8_t>& bytes)
{
    return archiveChecksum(bytes.data(), size31(bytes.size(), "a checked piece"));
}

} // namespace

std::vector<uint8_t> ArchiveWriter::writeArchive(const ArchiveContent& content, const ArchiveCorruption& corruption,
                                                 uint32_t stubChecksum, size_t* compressedSize)
{
    const uint32_t key = corruption.settingsKey.value_or(checksumOf(content.settings));
    std::vector<uint8_t> block;
    if (corruption.compressedSettings) {
        block = *corruption.compressedSettings;
    } else {
        block = compressBlock(content.settings.data(), content.settings.size());
        scramble(block, corruption.scrambleKey.value_or(key));
    }
    if (compressedSize)
        *compressedSize = block.size();

    const int32_t fileCount = size31(content.storedSizes.size(), "the stored-size list");
    const size_t dataOffset = kHeaderFixedSize + size_t(kStoredSizeWidth) * content.storedSizes.size() + block.size();
    const int32_t archiveEnd = size31(dataOffset + content.fileData.size(), "the archive");

    std::vector<uint8_t> out;
    out.reserve(archiveEnd);
    appendU32(out, corruption.magic.value_or(kArchiveMagic));
    appendU32(out, static_cast<uint32_t>(corruption.version.value_or(kArchiveVersion)));
    appendU32(out, static_cast<uint32_t>(corruption.settingsSize.value_or(size31(block.size(), "the settings block"))));
    appendU32(out, key);
    appendU32(out, corruption.stubChecksum.value_or(stubChecksum));
    appendU32(out, static_cast<uint32_t>(corruption.archiveEnd.value_or(archiveEnd)));
    appendU32(out, static_cast<uint32_t>(corruption.fileCount.value_or(fileCount)));
    int32_t dataSize = content.dataSize.value_or(size31(content.fileData.size(), "the file data"));
    appendU32(out, static_cast<uint32_t>(corruption.dataSize.value_or(dataSize)));
    appendU32(out, corruption.dataChecksum.value_or(content.dataChecksum.value_or(checksumOf(content.fileData))));
    for (size_t i = 0; i < content.storedSizes.size(); ++i) {
        auto broken = corruption.storedSizes.find(i);
        appendU32(out, static_cast<uint32_t>(broken != corruption.storedSizes.end() ? broken->second
                                                                                    : content.storedSizes[i]));
    }
    out.insert(out.end(), block.begin(), block.end());
    out.insert(out.end(), content.fileData.begin(), content.fileData.end());
    return out;
}

ArchiveWriter::Result ArchiveWriter::writeInstaller(const std::vector<uint8_t>& engine, const ArchiveContent& content,
                                                    const ArchiveCorruption& corruption)
{
    Result result;
    PeSectionWriter writer(engine);
    std::vector<uint8_t> archive = writeArchive(content, corruption, 0, &result.compressedSettingsSize);
    result.settingsKey = loadU32(archive.data() + kHeaderSettingsKeyOffset);
    result.image = writer.addSection(kArchiveSectionName, archive, &result.section);

    std::vector<uint8_t>& image = result.image;
    const PeHeaders& h = writer.headers();
    const uint32_t entry = h.entryOffset(result.section.index);
    if (corruption.sectionName) {
        const std::string& name = *corruption.sectionName;
        for (int k = 0; k < kSectionNameSize; ++k)
            image[entry + k] = k < static_cast<int>(name.size()) ? static_cast<uint8_t>(name[k]) : 0;
    }
    if (corruption.sectionRawOffset)
        peStoreU32(image, entry + kSectionRawOffsetField, *corruption.sectionRawOffset);
    if (corruption.sectionCount)
        peStoreU16(image, h.peOffset + kPeSectionCountField, *corruption.sectionCount);
    if (corruption.peOffsetField)
        peStoreU16(image, kDosPeOffsetField, *corruption.peOffsetField);

    if (!corruption.stubChecksum) {
        uint32_t sum = archiveChecksum(image.data(), static_cast<int>(result.section.rawOffset));
        storeU32(image.data() + result.section.rawOffset + kHeaderStubChecksumOffset, sum);
    }
    return result;
}
