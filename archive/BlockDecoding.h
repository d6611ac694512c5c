#pragma once
// BlockDecoding: decodes a compressed block on a thread of its own and tells how many of the
// output's leading bytes are decoded, so that the files of the file-data block can be written
// while the rest of it is still being decoded. The results are decompressBlock's.

#include "archive/format/FastTokenDecoder.h"
#include "core/String.h"
#include "platform/Handle.h"

#include <cstdint>

class BlockDecoding {
public:
    BlockDecoding() = default;
    ~BlockDecoding();   // waits for the thread
    BlockDecoding(const BlockDecoding&) = delete;
    BlockDecoding& operator=(const BlockDecoding&) = delete;

    // Starts decoding the compressed block of length bytes at block, which must stay as it is
    // until finish() has returned. False, nothing started, when the block's head is not valid
    // (decompressBlock's refusals) or its output cannot be allocated. Without a thread (none
    // can be made) the block is decoded here and then. Call once.
    bool start(const uint8_t* block, int length);

    // The output: outputLength() bytes, of which only the leading decoded ones are final.
    const uint8_t* output() const { return reinterpret_cast<const uint8_t*>(output_.CStr()); }
    uint32_t outputLength() const { return static_cast<uint32_t>(output_.Length()); }

    // Waits until at least count leading bytes (at most outputLength()) are decoded, or the
    // decoding has ended. Returns the leading bytes decoded: count or more, fewer only when
    // the block does not decode there (its bytes before the token that fails).
    uint32_t waitFor(uint32_t count);

    // Waits for the end of the decoding: true when the whole block decoded.
    bool finish();

private:
    static unsigned long __stdcall threadMain(void* self);
    void decode();
    // Makes the output's pages present in one call where the system lets it; nothing else changes.
    void commitOutput();

    FastTokenDecoder* decoder_ = nullptr;
    String output_;
    Handle thread_;
    Handle progress_;            // auto-reset event, set whenever decoded_ or ended_ moves
    volatile long decoded_ = 0;  // leading output bytes decoded
    volatile long ended_ = 0;    // 0 decoding, 1 decoded, 2 failed
};
