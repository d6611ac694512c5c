#include "builder/UninstallerImage.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/PeHeaders.h"

#include <algorithm>
#include <stdexcept>

std::vector<uint8_t> predictUninstallerImage(const std::vector<uint8_t>& installer, uint32_t patchOffset,
                                             const std::vector<uint8_t>& patch)
{
    PeHeaders h = readPeHeaders(installer);
    auto found = std::find_if(h.sections.begin(), h.sections.end(),
                              [](const PeSectionEntry& s) { return s.name == kArchiveSectionName; });
    if (found == h.sections.end())
        throw std::runtime_error("the installer has no archive section");
    const PeSectionEntry archive = *found;
    const int index = static_cast<int>(found - h.sections.begin());
    if (uint64_t(archive.rawOffset) + archive.rawSize > installer.size())
        throw std::runtime_error("the archive section's data passes the end of the installer");

    std::vector<uint8_t> image(installer.begin(), installer.begin() + archive.rawOffset);
    image.insert(image.end(), installer.begin() + archive.rawOffset + archive.rawSize, installer.end());

    peStoreU16(image, h.peOffset + kPeSectionCountField, static_cast<uint16_t>(h.sectionCount - 1));
    peStoreU32(image, h.peOffset + kPeInitializedDataField, h.sizeOfInitializedData - archive.rawSize);
    peStoreU32(image, h.peOffset + kPeImageSizeField, h.sizeOfImage - archive.rawSize);
    for (int i = index + 1; i < h.sectionCount; ++i) {
        uint32_t from = h.entryOffset(i), to = h.entryOffset(i - 1);
        std::copy(image.begin() + from, image.begin() + from + kSectionEntrySize, image.begin() + to);
        // Only data that lay behind the archive moved; an entry without data (offset 0) or
        // with data ahead of the archive keeps its offset.
        uint32_t rawOffset = peLoadU32(image, to + kSectionRawOffsetField);
        if (rawOffset >= archive.rawOffset + archive.rawSize)
            peStoreU32(image, to + kSectionRawOffsetField, rawOffset - archive.rawSize);
    }
    uint32_t last = h.entryOffset(h.sectionCount - 1);
    std::fill(image.begin() + last, image.begin() + last + kSectionEntrySize, 0);

    if (patchOffset > 0 && uint64_t(patchOffset) + patch.size() <= image.size())
        std::copy(patch.begin(), patch.end(), image.begin() + patchOffset);
    return image;
}
