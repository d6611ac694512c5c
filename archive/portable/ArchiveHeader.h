#pragma once
// ArchiveHeader: the fixed fields at the start of the archive and the stored-file sizes that
// follow them, read through the archive cursor with every range check.

#include "archive/portable/ArchiveCursor.h"
#include "core/String.h"
#include "core/Vector.h"

#include <cstdint>

struct ArchiveHeader {
    uint32_t magic = 0;
    int32_t version = 0;          // x 100
    int32_t settingsSize = 0;
    uint32_t settingsKey = 0;
    uint32_t stubChecksum = 0;
    int32_t archiveEnd = 0;
    int32_t fileCount = 0;
    int32_t dataSize = 0;
    uint32_t dataChecksum = 0;
    Vector<int32_t> storedSizes;  // one per file, in file-record order
    uint32_t dataOffset = 0;      // offset of the file data from the archive's start
};

// readArchiveHeader's result for an archive newer than this installer reads.
constexpr int kArchiveVersionRefused = -1;

// The fatal text for a refused version: the format's first number is this installer's
// version, the second the archive's.
extern const char kArchiveVersionText[];
// kArchiveVersionText with both numbers, for the header's version field value (x 100).
String archiveVersionText(int32_t value);

// Reads the header from the cursor, which stands at the archive's start, in field order,
// checking each field as it is read: magic (kCorruptMagic), version (kArchiveVersionRefused),
// settingsSize 1..kMaxSettingsSize (kCorruptSettingsSize), archiveEnd >= 0
// (kCorruptArchiveEnd), fileCount >= 0 (kCorruptFileCount), dataSize >= 0 (kCorruptDataSize),
// then each stored size 0..kMaxStoredFileSize (kCorruptStoredSize). A read that passes the
// cursor's end gives kCorruptOverrun. dataOffset is set from the sizes (the settings block
// follows the size list and is not read here). Returns 0 on success, else the first fault;
// header then holds the fields read before it. The cursor ends behind the size list.
int readArchiveHeader(ArchiveCursor& cursor, ArchiveHeader& header);

// Copies the settings block (settingsSize bytes at the cursor, which advances past it) into
// block, unscrambles it with key and decompresses it. 0 on success; kCorruptOverrun when
// the block passes the cursor's end, kCorruptSettingsBlock when it does not decompress.
int openSettingsBlock(ArchiveCursor& cursor, int32_t settingsSize, uint32_t key, String& block);

// The decompressed settings block's checksum equals key (else kCorruptSettingsChecksum).
bool settingsChecksumMatches(const String& block, uint32_t key);
