#include "archive/BlockDecoding.h"

#include "archive/format/Decompressor.h"
#include "core/OutOfMemory.h"
#include "platform/Win32.h"

namespace {

// The decoder publishes its progress after each step of this many output bytes: small enough
// that the first files wait little, large enough that the event costs nothing.
constexpr int64_t kPublishStep = 1 << 20;
constexpr DWORD kThreadStack = 64 * 1024;

enum : long { kDecoding = 0, kDecoded = 1, kFailed = 2 };

// A read of value that sees every write made before the InterlockedExchange that stored it.
long acquire(volatile long& value)
{
    return InterlockedCompareExchange(&value, 0, 0);
}

} // namespace

BlockDecoding::~BlockDecoding()
{
    finish();
    delete decoder_;
}

bool BlockDecoding::start(const uint8_t* block, int length)
{
    int32_t outputLength = 0;
    if (!readBlockHead(block, length, outputLength))
        return false;
    if (outputLength > 0 && !output_.TrySetLength(outputLength))
        return false;
    decoder_ = new FastTokenDecoder(block, length, reinterpret_cast<uint8_t*>(output_.Data()), outputLength);
    progress_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (progress_.valid())
        thread_.reset(CreateThread(nullptr, kThreadStack, threadMain, this,
                                   STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread_.valid())
        decode();
    return true;
}

unsigned long __stdcall BlockDecoding::threadMain(void* self)
{
    static_cast<BlockDecoding*>(self)->decode();
    return 0;
}

// Decodes a step at a time; after each the decoded bytes are published, then the end.
void BlockDecoding::decode()
{
    commitOutput();
    bool decoding = true;
    bool decoded = true;
    while (decoding) {
        decoded = decoder_->runTo(decoder_->produced() + kPublishStep);
        decoding = decoded && decoder_->produced() < outputLength();
        InterlockedExchange(&decoded_, static_cast<long>(decoder_->produced()));
        if (decoding && progress_.valid())
            SetEvent(progress_.get());
    }
    InterlockedExchange(&ended_, decoded ? kDecoded : kFailed);
    if (progress_.valid())
        SetEvent(progress_.get());
}

// The output's pages, new to the process, are each made present by a fault on first write
// (some microseconds each under a virtual machine); locking them in and unlocking them at once
// makes them present in one call instead. Where the system refuses the lock (a small working
// set), nothing changes.
void BlockDecoding::commitOutput()
{
    if (output_.Length() == 0)
        return;
    if (VirtualLock(output_.Data(), static_cast<SIZE_T>(output_.Length())))
        VirtualUnlock(output_.Data(), static_cast<SIZE_T>(output_.Length()));
}

uint32_t BlockDecoding::waitFor(uint32_t count)
{
    if (count > outputLength())
        count = outputLength();
    for (;;) {
        // ended_ first: once it is set, decoded_ holds its last value.
        const bool ended = acquire(ended_) != kDecoding;
        const uint32_t decoded = static_cast<uint32_t>(acquire(decoded_));
        if (decoded >= count || ended)
            return decoded;
        WaitForSingleObject(progress_.get(), INFINITE);
    }
}

bool BlockDecoding::finish()
{
    if (!decoder_)
        return false;
    if (thread_.valid()) {
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    return acquire(ended_) == kDecoded;
}
