#include "archive/portable/ArchiveHeader.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/Decompressor.h"

const char kArchiveVersionText[] =
    "The installer version (%.1f) does not match the version of QUIV (%.1f).  Close all applications "
    "and reinstall QUIV.";

String archiveVersionText(int32_t value)
{
    String text;
    text.Format(kArchiveVersionText, kInstallerVersion, value * 0.01);
    return text;
}

int readArchiveHeader(ArchiveCursor& cursor, ArchiveHeader& header)
{
    uint32_t v = 0;
    if (!cursor.readU32(header.magic))
        return kCorruptOverrun;
    if (header.magic != kArchiveMagic)
        return kCorruptMagic;
    if (!cursor.readU32(v))
        return kCorruptOverrun;
    header.version = static_cast<int32_t>(v);
    if (!archiveVersionAccepted(header.version))
        return kArchiveVersionRefused;
    if (!cursor.readU32(v))
        return kCorruptOverrun;
    header.settingsSize = static_cast<int32_t>(v);
    if (header.settingsSize < 1 || header.settingsSize > kMaxSettingsSize)
        return kCorruptSettingsSize;
    if (!cursor.readU32(header.settingsKey) || !cursor.readU32(header.stubChecksum) || !cursor.readU32(v))
        return kCorruptOverrun;
    header.archiveEnd = static_cast<int32_t>(v);
    if (header.archiveEnd < 0)
        return kCorruptArchiveEnd;
    if (!cursor.readU32(v))
        return kCorruptOverrun;
    header.fileCount = static_cast<int32_t>(v);
    if (header.fileCount < 0)
        return kCorruptFileCount;
    if (!cursor.readU32(v))
        return kCorruptOverrun;
    header.dataSize = static_cast<int32_t>(v);
    if (header.dataSize < 0)
        return kCorruptDataSize;
    if (!cursor.readU32(header.dataChecksum))
        return kCorruptOverrun;
    // Each size is read and checked before the list grows, so a huge count in a short
    // section ends at the section's end rather than in a huge allocation.
    header.storedSizes.Clear();
    for (int32_t i = 0; i < header.fileCount; ++i) {
        if (!cursor.readU32(v))
            return kCorruptOverrun;
        int32_t size = static_cast<int32_t>(v);
        if (size < 0 || size > kMaxStoredFileSize)
            return kCorruptStoredSize;
        header.storedSizes.Append(size);
    }
    header.dataOffset = cursor.position() + static_cast<uint32_t>(header.settingsSize);
    return 0;
}

int openSettingsBlock(ArchiveCursor& cursor, int32_t settingsSize, uint32_t key, String& block)
{
    if (!cursor.readBytes(settingsSize, block))
        return kCorruptOverrun;
    unscramble(block.Data(), block.Length(), key);
    if (!decompressBlock(block))
        return kCorruptSettingsBlock;
    return 0;
}

bool settingsChecksumMatches(const String& block, uint32_t key)
{
    return archiveChecksum(block.Data(), block.Length()) == key;
}
