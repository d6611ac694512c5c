#pragma once
// Gathering the file-data block before the file records are read: from the program's own
// image, or from its file and the volume files beside it; then the block checksum and the
// decompression, with the progress window's stages.

#include "archive/ArchiveLocation.h"
#include "archive/BlockDecoding.h"
#include "core/String.h"

#include <cstdint>

struct ProductSettings;

// The file-data block, gathered, checked and, when compressed, being decoded.
struct DataBlock {
    const uint8_t* data = nullptr;  // the block's first byte (program image, storage or decoding)
    uint32_t length = 0;            // bytes at data
    String storage;                 // owns the gathered bytes when they are not in the program image
    BlockDecoding decoding;         // a compressed block's decoding (it reads the gathered bytes)
    bool beingDecoded = false;      // data is decoding's output: final only as far as it tells

    // Null when all length bytes at data are final; else the decoding that tells how many are.
    BlockDecoding* pendingBytes() { return beingDecoded ? &decoding : nullptr; }
};

// Gathers the block from the program and its volume files, checks its checksum (55) and, when
// the product flags say so, starts decoding it on a thread of its own (a head that is not
// valid or an output that cannot be allocated: 60), showing progress 2 % to 40 % with the
// stage texts. Returns only on success; every failure ends the run. A block that fails to
// decode further on is reported by the reader of its bytes (ExtractFiles). Call once.
//
// Without the multi-volume flag the block starts in the mapped archive section at the
// header's dataOffset and runs to its archiveEnd (outside the readable section:
// kCorruptOverrun); with it, the bytes from there to the end of the program file are read
// (a failed read: the fatal "Error code 2: failed to read archive data"; more bytes than the
// header's dataSize: kCorruptVolumeRead). Missing bytes come from the volume files beside the
// program (archive/portable/VolumeGathering.h), asking the user for each one not found; a
// volume that cannot be read or that is longer than the bytes still missing: code 50.
// A block of 0 bytes is never decompressed. On return data is never null (an empty block
// points at an empty text).
void GatherDataBlock(ArchiveLocation& archive, const ProductSettings& settings, DataBlock& block);
