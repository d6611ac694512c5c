#include "archive/portable/FileRecordReader.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/FileRecord.h"
#include "archive/format/SettingsLayout.h"

namespace {

int readTime(ArchiveCursor& cursor, ArchiveTime& time)
{
    if (cursor.remaining() < static_cast<uint32_t>(kArchiveTimeSize))
        return kCorruptOverrun;
    const uint8_t* p = cursor.current();
    time.year = loadI32(p);
    time.month = loadI32(p + 4);
    time.day = loadI32(p + 8);
    time.hour = loadI32(p + 12);
    time.minute = loadI32(p + 16);
    time.second = loadI32(p + 20);
    cursor.skip(kArchiveTimeSize);
    return 0;
}

} // namespace

int readFileRecord(ArchiveCursor& cursor, int32_t storedSize, FileRecordView& record)
{
    if (!cursor.readString(record.name))
        return kCorruptOverrun;
    if (!*record.name)
        return kCorruptFileName;
    if (!cursor.readU32(record.kind) || !cursor.readU32(record.flags) ||
        !cursor.readU32(record.attributes))
        return kCorruptOverrun;
    if (!isFileDestinationKind(record.kind))
        return kCorruptDestinationKind;
    if (storedSize < 0)
        return kCorruptNegativeFileSize;
    if (storedSize > kMaxStoredFileSize)
        return kCorruptFileSizeTooLarge;
    record.data = cursor.current();
    record.size = storedSize;
    uint32_t checksum = 0;
    if (!cursor.skip(static_cast<uint32_t>(storedSize)) || !cursor.readU32(checksum))
        return kCorruptOverrun;
    if (checksum != archiveChecksum(record.data, storedSize))
        return kCorruptFileChecksum;
    int code = readTime(cursor, record.time);
    if (code != 0)
        return code;
    if (!cursor.readString(record.text))
        return kCorruptOverrun;
    record.shortcutIcon = "";
    if ((record.flags & (kFileDesktopShortcut | kFileStartMenuShortcut)) &&
        !cursor.readString(record.shortcutIcon))
        return kCorruptOverrun;
    if (!cursor.readString(record.shortcutArguments) || !cursor.readString(record.destination))
        return kCorruptOverrun;
    return 0;
}
