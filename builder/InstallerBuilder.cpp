#include "builder/InstallerBuilder.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/ArchiveWriter.h"
#include "builder/Compressor.h"
#include "builder/PeHeaders.h"
#include "builder/SettingsWriter.h"

#include <stdexcept>

namespace {

void checkSettings(const ProductSpec& spec)
{
    std::vector<std::string> problems = settingsProblems(spec);
    if (problems.empty())
        return;
    std::string text = "the settings break the installer's rules:";
    for (const std::string& p : problems)
        text += "\n  " + p;
    throw std::invalid_argument(text);
}

InstallerOutput oneFile(const std::vector<uint8_t>& engine, InstallerInput& input, FileDataBlock& block)
{
    InstallerOutput out;
    input.spec.multiVolume = 0;
    ArchiveContent content;
    content.settings = writeSettings(input.spec);
    content.storedSizes = block.storedSizes;
    content.fileData = std::move(block.bytes);
    out.settingsSize = content.settings.size();
    out.installer = ArchiveWriter::writeInstaller(engine, content).image;
    return out;
}

} // namespace

size_t installerDataShare(size_t sectionOffset, size_t dataOffset, size_t alignment, uint64_t volumeSize)
{
    const size_t fill = (alignment - dataOffset % alignment) % alignment;
    const uint64_t used = uint64_t(sectionOffset) + dataOffset;
    const uint64_t room = volumeSize > used ? volumeSize - used : 0;
    if (room <= fill)
        return fill;
    return fill + static_cast<size_t>((room - fill) / alignment * alignment);
}

InstallerOutput buildInstaller(const std::vector<uint8_t>& engine, InstallerInput input)
{
    checkSettings(input.spec);
    FileDataBlock block = writeFileData(input.files, input.spec.hasFlag(kFlagCompressedData), input.compression);
    const size_t stored = block.bytes.size();
    const size_t plain = block.plainSize;

    auto finish = [&](InstallerOutput out) {
        out.storedDataSize = stored;
        out.plainDataSize = plain;
        return out;
    };
    if (input.volumeSize == 0)
        return finish(oneFile(engine, input, block));

    input.spec.multiVolume = 1;
    ArchiveContent content;
    content.settings = writeSettings(input.spec);
    const size_t dataOffset = kHeaderFixedSize + size_t(kStoredSizeWidth) * block.storedSizes.size() +
                              compressBlock(content.settings.data(), content.settings.size()).size();
    const PeHeaders pe = readPeHeaders(engine);
    const size_t sectionOffset = (engine.size() + pe.fileAlignment - 1) / pe.fileAlignment * pe.fileAlignment;
    const size_t share = installerDataShare(sectionOffset, dataOffset, pe.sectionAlignment, input.volumeSize);
    if (stored <= share)
        return finish(oneFile(engine, input, block));

    VolumeSet set = splitVolumes(block.bytes, share, input.volumeSize, input.spec.firstVolumeNumber);
    content.storedSizes = block.storedSizes;
    content.fileData = std::move(set.inInstaller);
    content.dataSize = static_cast<int32_t>(stored);
    content.dataChecksum = block.checksum;
    InstallerOutput out;
    out.settingsSize = content.settings.size();
    out.installer = ArchiveWriter::writeInstaller(engine, content).image;
    for (size_t i = 0; i < set.volumes.size(); ++i)
        out.volumes.emplace_back(volumeFileName(input.spec.volumeBaseName, set.numbers[i]), std::move(set.volumes[i]));
    return finish(std::move(out));
}
