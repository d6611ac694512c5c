#pragma once
// Reading one stored file's record from the file-data block (layout in FileRecord.h).

#include "archive/format/ArchiveTime.h"
#include "archive/portable/ArchiveCursor.h"

#include <cstdint>

// One record as read: texts and data point into the block.
struct FileRecordView {
    const char* name = "";
    uint32_t kind = 0;
    uint32_t flags = 0;
    uint32_t attributes = 0;
    const uint8_t* data = nullptr;
    int32_t size = 0;
    ArchiveTime time;
    const char* text = "";
    const char* shortcutIcon = "";   // empty without a shortcut flag
    const char* shortcutArguments = "";
    const char* destination = "";
};

// Reads the record at the cursor whose data is storedSize bytes and moves past it. Returns 0,
// or the corrupt-installer code of the first broken rule: 70 empty name, 110 kind not accepted,
// 71 negative size, 72 size above the maximum, 100 data checksum, 46 the block ends inside the
// record. record holds what was read so far on failure.
int readFileRecord(ArchiveCursor& cursor, int32_t storedSize, FileRecordView& record);
