#pragma once
// File: the one way the engine reads and writes files.
//
// Wraps a platform file handle; resolves temporary-file names; retries opens that meet a
// sharing violation; can hold the whole file in memory (reads and writes then go to the
// memory image, which is written back on Close); keeps a stack of saved positions; and turns
// platform errors into the open codes below. Every failure leaves a readable text in
// LastError(), which callers put into their own messages.
//
// The file is a Stream: Read and Write are ReadBlock and WriteBlock, so the String readers and
// writers of core/String.h work on it. Positions and sizes are signed 32-bit.

#include "core/MemoryStream.h"
#include "core/Stack.h"
#include "core/Stream.h"
#include "core/String.h"
#include "platform/Handle.h"
#include "platform/Win32.h"
#include "platform/portable/DateTime.h"

// Open mode bits (combined by OR).
enum : unsigned {
    kOpenCreationMask = 0x00000003,  // the creation value:
    kOpenAlways = 0,                 //   open, creating when missing
    kOpenExistingOnly = 1,           //   open existing only
    kOpenCreateNew = 2,              //   create, failing when it exists
    kOpenCreateAlways = 3,           //   create or truncate
    kOpenNoRead = 0x00000008,        // no read access
    kOpenNoWrite = 0x00000010,       // no write access
    kOpenRequired = 0x00000020,      // any open failure is fatal
    kOpenRetryOnce = 0x00000040,     // retry once after 150 ms when the first attempt fails
    kOpenIntoMemory = 0x00000080,    // read the whole file into memory after opening
    kOpenShareRead = 0x00000100,     // others may read while open
    kOpenShareWrite = 0x00000200,    // others may write while open
    kOpenAtEnd = 0x00000400,         // position at the end after opening
    kOpenThenClose = 0x00000800,     // close again right after a successful open
    kOpenNoSharingRetry = 0x00001000, // do not retry on a sharing violation

    kOpenNameKindMask = 0xE0000000,  // how the name is taken:
    kNameAsGiven = 0x00000000,       //   unchanged
    kNameNewTemp = 0x20000000,       //   a new temporary file in the temporary directory
    kNameNewTempInDir = 0x40000000,  //   a new temporary file in the directory given as name
    kNameNewTempBeside = 0x80000000, //   a new temporary file in the directory of the given path
    kNameInTempDir = 0xC0000000,     //   the given name inside the temporary directory
};

// The open codes (results of File::Open); OpenErrorText gives their texts.
enum : int {
    kOpenOk = 0,
    kOpenUnknownError = 1,
    kOpenInvalidName = 2,
    kOpenNotFound = 3,
    kOpenNoDirectory = 4,
    kOpenLocked = 5,
    kOpenMemoryFailed = 6,
    kOpenTooManyOpen = 7,
    kOpenInvalidParameter = 8,
    kOpenExists = 9,
    kOpenTooManyIndexed = 10,
    kOpenAccessDenied = 11,
    kOpenReadOnly = 12,
};

// The fixed text of an open code ("The file was not found." for 3, ...); "An unknown error
// occurred." for any code outside 0..12. Never null.
const char* OpenErrorText(int code);

// Flags of AppendToFile.
enum : unsigned {
    kAppendLineBreakFirst = 0x1, // first make the file end in a line break
    kAppendNoRetry = 0x2,        // a failed write is not retried
    kAppendExistingOnly = 0x4,   // do not create the file
};

// Appends text to the end of the file name (created unless kAppendExistingOnly). A failed write
// is retried (close, 100 ms, reopen) up to 10 attempts unless kAppendNoRetry. True when the text
// was written (or is empty and the file could be opened); false for an empty or null name or a
// failed open or write.
bool AppendToFile(const char* name, const String& text, unsigned flags);

// Creates or replaces the file name with the bytes of text, in one piece. A failed open or
// write is retried (100 ms apart) up to 10 attempts. True when the whole text was written;
// false for an empty or null name or when every attempt failed.
bool WriteTextFile(const char* name, const String& text);

// The pause between open and append attempts; tests replace it to observe the attempts.
using FileWaitFunction = void (*)(unsigned milliseconds);
// Installs wait (null: the platform's Sleep) and returns the one installed before.
FileWaitFunction SetFileWaitFunction(FileWaitFunction wait);

class File : public Stream {
public:
    File();
    ~File() override;   // Close()
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Stream: ReadBlock and WriteBlock.
    bool Read(void* buffer, int count) override { return ReadBlock(buffer, count); }
    bool Write(const void* buffer, int count) override { return WriteBlock(buffer, count); }

    // Closes any open file, then opens name by mode (kOpen* and kName* bits) with the platform
    // attributes (FILE_ATTRIBUTE_*). Returns an open code: kOpenOk, or the failure, whose text
    // is then LastError() and which leaves the file closed. With kOpenRequired a failure is
    // fatal ("Failed to open required file:..."). Path() is the name actually opened (after
    // temporary-name resolution), also after a failure.
    int Open(const char* name, unsigned mode, unsigned attributes = FILE_ATTRIBUTE_NORMAL);
    // Writes a changed memory image back (from position 0, cutting the file at its end), closes
    // the handle, empties the saved positions and clears the access flags. Closed: nothing.
    void Close();
    // A handle exists or the file is in memory.
    bool IsOpen() const;

    // Reads exactly n bytes at the position into buffer. n = 0: true. False with LastError():
    // "Illegal block size %d" (n < 0), "NULL block pointer", "Read access denied", "File not
    // open", the system's text for a read error, or "Read past end of file" (the bytes that
    // were missing are then zeros and the position is at the end).
    bool ReadBlock(void* buffer, int n);
    // Writes n bytes at the position. n = 0: true. False with LastError(): "Illegal block
    // size" (n < 0), "NULL block pointer", "Write access denied", "File not open", the system's
    // text for a write error, or "Not all data could be written".
    bool WriteBlock(const void* bytes, int n);

    // In memory: the image length; closed: -1; else the size of the file.
    int Size();
    // The position; closed: -1.
    int Position();
    // Moves to p from the start / d from the end. False (position unchanged) for a negative
    // result, when closed, or, in memory, for a position beyond the image.
    bool Seek(int p);
    bool SeekFromEnd(int d);
    // Position equals size; true when not open.
    bool AtEnd();

    // Saves the position on the stack and returns it.
    int PushPosition();
    // Saves the position, then Seek(p) / SeekFromEnd(0); the result of the seek (the position
    // stays saved either way).
    bool PushPositionAndSeek(int p);
    bool PushPositionAndSeekEnd();
    // Seeks back to the last saved position, removes it and returns it; 0x80000000 (nothing
    // moved) when nothing is saved.
    int PopPosition();

    // Reads n bytes at p; the position is unchanged afterwards.
    bool ReadAt(int p, void* buffer, int n);
    // The last n bytes of the file; false unless n >= 1 and the size is at least n.
    bool ReadTail(void* buffer, int n);
    // out = the n bytes at p; false, out cleared, unless p >= 0, n >= 0, p + n <= size and the
    // read succeeds. The position is unchanged.
    bool ReadRange(String& out, int p, int n);
    // Bytes from the position up to and without a NUL (consumed) or the end.
    String ReadZString();
    // Writes text (no terminator) at the end of the file; the position is kept when it was not
    // at the end (and is the new end otherwise). Empty text: true.
    bool WriteText(const String& text);
    // Writes "\r\n" at the end unless the last byte is CR or LF; an empty file gets one. True
    // when the file ends in a line break afterwards.
    bool EnsureTrailingLineBreak();

    // Reads the whole file into the memory image; afterwards reads and writes use it (the
    // position is kept). True when done (or already in memory); false, nothing changed, on
    // failure.
    bool LoadIntoMemory();
    // Cuts the file (or the image) at the position; needs write access.
    bool Truncate();
    // Flushes the platform buffers (in memory: true).
    bool Flush();
    // Writes a changed memory image back, flushes, and sets the last-write time to the local
    // time t. False when closed, when t has no date or is invalid, or the platform fails.
    bool SetModifiedTime(const DateTime& t);
    // Sets the last-write time of the open handle to the local time t without writing back or
    // flushing first: for a file written through the handle (not in memory) that is closed
    // next. False when closed or in memory, when t has no date or is invalid, or the platform
    // fails.
    bool SetWriteTime(const DateTime& t);
    // Whether every block write is flushed (off after opening).
    void SetFlushAfterWrite(bool on) { flushAfterWrite_ = on; }

    const String& Path() const { return path_; }
    const String& LastError() const { return lastError_; }
    bool InMemory() const { return inMemory_; }
    bool CanRead() const { return canRead_; }
    bool CanWrite() const { return canWrite_; }
    // The platform handle (null when none); owned by the file.
    HANDLE NativeHandle() const { return handle_.get(); }

private:
    int openHandle(const String& path, unsigned mode, unsigned attributes);
    int failOpen(int code, unsigned mode);
    bool readHandle(void* buffer, int n);
    bool writeHandle(const void* bytes, int n);
    bool writeBackImage();
    bool setHandleWriteTime(const DateTime& t);
    bool fail(const char* text);

    Handle handle_;
    String path_;
    Stack<int> saved_;    // the saved positions
    MemoryStream image_;  // the memory image
    bool inMemory_;
    bool imageChanged_;
    bool flushAfterWrite_;
    bool canRead_;
    bool canWrite_;
    String lastError_;
};
