#include "archive/portable/UninstallerImage.h"

#include "archive/format/ArchiveFormat.h"

#include <cstring>

namespace {

// The header edits, on an image that holds at least the headers; false when they do not fit.
bool removeSectionEntry(String& image, const ArchiveSection& s)
{
    const uint32_t lastEntry = s.tableOffset + static_cast<uint32_t>(s.sectionCount - 1) * kSectionEntrySize;
    if (static_cast<uint32_t>(image.Length()) < lastEntry + kSectionEntrySize ||
        static_cast<uint32_t>(image.Length()) < s.peOffset + kPeImageSizeField + 4)
        return false;
    uint8_t* b = reinterpret_cast<uint8_t*>(image.Data());
    const uint32_t countAt = s.peOffset + kPeSectionCountField;
    const uint32_t count = (b[countAt] | b[countAt + 1] << 8) - 1u;
    b[countAt] = static_cast<uint8_t>(count);
    b[countAt + 1] = static_cast<uint8_t>(count >> 8);
    uint8_t* data = b + s.peOffset + kPeInitializedDataField;
    storeU32(data, loadU32(data) - s.rawSize);
    uint8_t* imageSize = b + s.peOffset + kPeImageSizeField;
    storeU32(imageSize, loadU32(imageSize) - s.rawSize);

    const uint32_t archiveEnd = s.rawOffset + s.rawSize;
    for (int i = s.index + 1; i < s.sectionCount; ++i) {
        uint8_t* to = b + s.tableOffset + static_cast<uint32_t>(i - 1) * kSectionEntrySize;
        std::memmove(to, to + kSectionEntrySize, kSectionEntrySize);
        // An entry without data (offset 0) or with data ahead of the archive keeps its offset.
        uint32_t rawOffset = loadU32(to + kSectionRawOffsetField);
        if (rawOffset >= archiveEnd)
            storeU32(to + kSectionRawOffsetField, rawOffset - s.rawSize);
    }
    std::memset(b + lastEntry, 0, kSectionEntrySize);
    return true;
}

} // namespace

int makeUninstallerImage(PositionedReader& file, const UninstallerImageInput& input, String& image)
{
    const ArchiveSection& s = input.section;
    String result;
    if (s.rawOffset > 0x7FFFFFFFu || !result.TrySetLength(static_cast<int>(s.rawOffset)) ||
        s.rawOffset > input.fileSize || !file.readAt(0, result.Data(), static_cast<int>(s.rawOffset)))
        return kCorruptStubRead;
    if (input.checkStub && archiveChecksum(result.Data(), result.Length()) != input.stubChecksum)
        return kCorruptStubChecksum;

    const uint64_t archiveEnd = uint64_t(s.rawOffset) + s.rawSize;
    if (input.fileSize > archiveEnd) {
        const uint64_t trailer = input.fileSize - archiveEnd;
        const int at = result.Length();
        if (at + trailer > 0x7FFFFFFFu || !result.TrySetLength(at + static_cast<int>(trailer)) ||
            !file.readAt(static_cast<uint32_t>(archiveEnd), result.Data() + at, static_cast<int>(trailer)))
            return kCorruptTrailerRead;
    }
    // Headers that do not lie inside the bytes before the archive cannot be edited: the
    // program could not have been loaded from them, so they count as an unreadable stub.
    if (!removeSectionEntry(result, s))
        return kCorruptStubRead;

    if (input.patchOffset > 0 && input.patch &&
        uint64_t(input.patchOffset) + input.patch->Length() <= uint64_t(result.Length()))
        std::memcpy(result.Data() + input.patchOffset, input.patch->Data(), input.patch->Length());
    image = static_cast<String&&>(result);
    return 0;
}
