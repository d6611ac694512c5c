// File: opening with name kinds and retries, block reads and writes, the memory image and the
// saved positions.
#include "platform/File.h"

#include "core/Fatal.h"
#include "core/OutOfMemory.h"
#include "platform/FileTime.h"
#include "platform/ProcessPaths.h"
#include "platform/SystemErrorText.h"
#include "platform/portable/PathText.h"

#include <cstring>

namespace {

const char* const kOpenTexts[] = {
    "The file was successfully opened.",
    "An unknown error occurred.",
    "The filename is invalid.",
    "The file was not found.",
    "The directory does not exist.",
    "The file is locked by another application.",
    "Failed to read the file into memory.",
    "Too many files are already open.",
    "An invalid parameter was used.",
    "The file already exists.",
    "Too many indexed files exist.",
    "Access denied.",
    "The file's Read-Only attribute is set.",
};

// Writes go to the platform in pieces of at most this many bytes.
constexpr int kWritePiece = 1048576;
// Sharing violations: the open is retried while the counter is below this.
constexpr int kSharingRetries = 5;
constexpr unsigned kSharingRetryWait = 100;
constexpr unsigned kRetryOnceWait = 150;
constexpr int kAppendAttempts = 10;
constexpr unsigned kAppendRetryWait = 100;
constexpr int kNoSavedPosition = static_cast<int>(0x80000000u);

void platformWait(unsigned milliseconds)
{
    Sleep(milliseconds);
}

FileWaitFunction waitFunction = platformWait;

// The temporary directory (the platform values are computed on first use).
const String& temporaryDirectory()
{
    initPlatformPaths();
    return tempDir();
}

// Creates a new empty file with the prefix "QVT" in dir (the temporary directory when dir is
// empty). Its name, or empty on failure (GetLastError tells why).
String newTemporaryFile(const String& dir)
{
    const String& where = dir.IsEmpty() ? temporaryDirectory() : dir;
    char name[MAX_PATH + 1];
    if (!GetTempFileNameA(where.CStr(), "QVT", 0, name))
        return String();
    return String(name);
}

int openCodeFromError(DWORD error, bool writeRequested, const String& path)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return kOpenNotFound;
    case ERROR_PATH_NOT_FOUND: return kOpenNoDirectory;
    case ERROR_TOO_MANY_OPEN_FILES: return kOpenTooManyOpen;
    case ERROR_ACCESS_DENIED: {
        DWORD attributes = GetFileAttributesA(path.CStr());
        bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
        return writeRequested && readOnly ? kOpenReadOnly : kOpenAccessDenied;
    }
    case ERROR_SHARING_VIOLATION: return kOpenLocked;
    case ERROR_FILE_EXISTS: return kOpenExists;
    case ERROR_INVALID_PARAMETER: return kOpenInvalidParameter;
    case ERROR_INVALID_NAME: return kOpenInvalidName;
    default: return kOpenUnknownError;
    }
}

bool isNewTemporaryKind(unsigned kind)
{
    return kind == kNameNewTemp || kind == kNameNewTempInDir || kind == kNameNewTempBeside;
}

} // namespace

const char* OpenErrorText(int code)
{
    if (code < 0 || code >= static_cast<int>(sizeof kOpenTexts / sizeof kOpenTexts[0]))
        return kOpenTexts[kOpenUnknownError];
    return kOpenTexts[code];
}

FileWaitFunction SetFileWaitFunction(FileWaitFunction wait)
{
    FileWaitFunction previous = waitFunction;
    waitFunction = wait ? wait : platformWait;
    return previous;
}

// ---------------------------------------------------------------- opening and closing

File::File()
    : inMemory_(false), imageChanged_(false), flushAfterWrite_(false), canRead_(false), canWrite_(false)
{
}

File::~File()
{
    Close();
}

int File::Open(const char* name, unsigned mode, unsigned attributes)
{
    Close();
    path_.Clear();
    unsigned kind = mode & kOpenNameKindMask;
    bool noName = !name || !name[0];
    if (noName && kind != kNameNewTemp)
        return failOpen(kOpenInvalidName, mode);

    bool createdTemporary = isNewTemporaryKind(kind);
    if (createdTemporary) {
        String dir;
        if (kind == kNameNewTempInDir)
            dir.Assign(name);
        else if (kind == kNameNewTempBeside)
            dir = parentDirectory(String(name));
        path_ = newTemporaryFile(dir);
        if (path_.IsEmpty()) {
            path_ = dir;
            return failOpen(openCodeFromError(GetLastError(), (mode & kOpenNoWrite) == 0, dir), mode);
        }
        mode = (mode & ~kOpenCreationMask) | kOpenCreateAlways;
    } else if (kind == kNameInTempDir) {
        path_ = joinPath(temporaryDirectory(), String(name));
    } else {
        path_.Assign(name);
    }

    int code = openHandle(path_, mode, attributes);
    if (code != kOpenOk) {
        // The platform made the temporary file; it is of no use to anyone now.
        if (createdTemporary)
            DeleteFileA(path_.CStr());
        return failOpen(code, mode);
    }
    if ((mode & kOpenIntoMemory) && !LoadIntoMemory()) {
        Close();
        return failOpen(kOpenMemoryFailed, mode);
    }
    if (mode & kOpenAtEnd)
        SeekFromEnd(0);
    if (mode & kOpenThenClose)
        Close();
    lastError_.Clear();
    return kOpenOk;
}

// Attempts the platform open with the retry rules; sets the handle and access flags on success.
int File::openHandle(const String& path, unsigned mode, unsigned attributes)
{
    bool read = (mode & kOpenNoRead) == 0;
    bool write = (mode & kOpenNoWrite) == 0;
    unsigned share = mode & (kOpenShareRead | kOpenShareWrite);
    if (!read && (share & kOpenShareWrite))
        share |= kOpenShareRead;
    if (!write && (share & kOpenShareRead))
        share |= kOpenShareWrite;

    DWORD access = (read ? GENERIC_READ : 0) | (write ? GENERIC_WRITE : 0);
    DWORD shareMode = ((share & kOpenShareRead) ? FILE_SHARE_READ : 0) |
                      ((share & kOpenShareWrite) ? FILE_SHARE_WRITE : 0);
    static const DWORD kCreation[] = {OPEN_ALWAYS, OPEN_EXISTING, CREATE_NEW, CREATE_ALWAYS};
    DWORD creation = kCreation[mode & kOpenCreationMask];

    int retries = 0;
    for (;;) {
        HANDLE h = CreateFileA(path.CStr(), access, shareMode, nullptr, creation, attributes, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            handle_.reset(h);
            canRead_ = read;
            canWrite_ = write;
            return kOpenOk;
        }
        DWORD error = GetLastError();
        if (mode & kOpenRetryOnce) {
            if (retries++ == 0) {
                waitFunction(kRetryOnceWait);
                continue;
            }
        }
        if (error == ERROR_SHARING_VIOLATION && !(mode & kOpenNoSharingRetry) && retries < kSharingRetries) {
            ++retries;
            waitFunction(kSharingRetryWait);
            continue;
        }
        return openCodeFromError(error, write, path);
    }
}

int File::failOpen(int code, unsigned mode)
{
    handle_.reset();
    canRead_ = canWrite_ = false;
    lastError_.Assign(OpenErrorText(code));
    if (mode & kOpenRequired)
        fatalErrorf("Failed to open required file:\r\n%s\r\n\r\n%s", path_.CStr(), lastError_.CStr());
    return code;
}

void File::Close()
{
    if (inMemory_ && imageChanged_)
        writeBackImage();
    inMemory_ = false;
    imageChanged_ = false;
    image_.Reset();
    handle_.reset();
    saved_.Clear();
    canRead_ = canWrite_ = false;
    flushAfterWrite_ = false;
}

bool File::IsOpen() const
{
    return handle_.valid() || inMemory_;
}

// Writes the memory image to the file from position 0 and cuts the file at its end.
bool File::writeBackImage()
{
    if (!handle_.valid())
        return fail("File not open");
    if (SetFilePointer(handle_.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !writeHandle(image_.Data(), image_.Size()))
        return false;
    if (!SetEndOfFile(handle_.get())) {
        lastError_ = lastErrorText();
        return false;
    }
    imageChanged_ = false;
    SetFilePointer(handle_.get(), image_.Position(), nullptr, FILE_BEGIN);
    return true;
}

bool File::fail(const char* text)
{
    lastError_.Assign(text);
    return false;
}

// ---------------------------------------------------------------- blocks

bool File::ReadBlock(void* buffer, int n)
{
    if (n == 0)
        return true;
    if (n < 0) {
        lastError_.Format("Illegal block size %d", n);
        return false;
    }
    if (!buffer)
        return fail("NULL block pointer");
    if (!canRead_)
        return fail("Read access denied");
    if (inMemory_) {
        if (image_.Read(buffer, n))
            return true;
        // The stream moves past its end; the file stays at the end, as on disk.
        image_.SeekFromEnd(0);
        return fail("Read past end of file");
    }
    return readHandle(buffer, n);
}

bool File::readHandle(void* buffer, int n)
{
    if (!handle_.valid())
        return fail("File not open");
    DWORD got = 0;
    if (!ReadFile(handle_.get(), buffer, static_cast<DWORD>(n), &got, nullptr)) {
        lastError_ = lastErrorText();
        return false;
    }
    if (got < static_cast<DWORD>(n)) {
        std::memset(static_cast<char*>(buffer) + got, 0, static_cast<size_t>(n) - got);
        return fail("Read past end of file");
    }
    return true;
}

bool File::WriteBlock(const void* bytes, int n)
{
    if (n == 0)
        return true;
    if (n < 0)
        return fail("Illegal block size");
    if (!bytes)
        return fail("NULL block pointer");
    if (!canWrite_)
        return fail("Write access denied");
    if (inMemory_) {
        if (!image_.Write(bytes, n))
            return fail("Not all data could be written");
        imageChanged_ = true;
        return true;
    }
    if (!writeHandle(bytes, n))
        return false;
    if (flushAfterWrite_)
        return Flush();
    return true;
}

bool File::writeHandle(const void* bytes, int n)
{
    if (!handle_.valid())
        return fail("File not open");
    const char* p = static_cast<const char*>(bytes);
    while (n > 0) {
        DWORD piece = static_cast<DWORD>(n < kWritePiece ? n : kWritePiece);
        DWORD written = 0;
        if (!WriteFile(handle_.get(), p, piece, &written, nullptr)) {
            lastError_ = lastErrorText();
            return false;
        }
        if (written != piece)
            return fail("Not all data could be written");
        p += piece;
        n -= static_cast<int>(piece);
    }
    return true;
}

// ---------------------------------------------------------------- size and position

int File::Size()
{
    if (inMemory_)
        return image_.Size();
    if (!handle_.valid())
        return -1;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_.get(), &size) || size.QuadPart > 0x7fffffff)
        return -1;
    return static_cast<int>(size.QuadPart);
}

int File::Position()
{
    if (inMemory_)
        return image_.Position();
    if (!handle_.valid())
        return -1;
    DWORD p = SetFilePointer(handle_.get(), 0, nullptr, FILE_CURRENT);
    return p == INVALID_SET_FILE_POINTER ? -1 : static_cast<int>(p);
}

bool File::Seek(int p)
{
    if (p < 0)
        return false;
    if (inMemory_)
        return image_.Seek(p);
    if (!handle_.valid())
        return false;
    return SetFilePointer(handle_.get(), p, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

bool File::SeekFromEnd(int d)
{
    int size = Size();
    if (size < 0 || (d < 0 && size + d < 0))
        return false;
    if (d > 0x7fffffff - size)
        return false;
    return Seek(size + d);
}

bool File::AtEnd()
{
    if (!IsOpen())
        return true;
    return Position() == Size();
}

int File::PushPosition()
{
    int p = Position();
    saved_.Push(p);
    return p;
}

bool File::PushPositionAndSeek(int p)
{
    PushPosition();
    return Seek(p);
}

bool File::PushPositionAndSeekEnd()
{
    PushPosition();
    return SeekFromEnd(0);
}

int File::PopPosition()
{
    if (saved_.IsEmpty())
        return kNoSavedPosition;
    int p = saved_.Pop();
    Seek(p);
    return p;
}

// ---------------------------------------------------------------- reading and writing at places

bool File::ReadAt(int p, void* buffer, int n)
{
    if (!PushPositionAndSeek(p)) {
        PopPosition();
        return fail("Seek failed");
    }
    bool ok = ReadBlock(buffer, n);
    PopPosition();
    return ok;
}

bool File::ReadTail(void* buffer, int n)
{
    int size = Size();
    if (n < 1 || size < n)
        return fail("Read past end of file");
    return ReadAt(size - n, buffer, n);
}

bool File::ReadRange(String& out, int p, int n)
{
    out.Clear();
    int size = Size();
    if (p < 0 || n < 0 || size < 0 || p > size || n > size - p)
        return fail("Read past end of file");
    if (n == 0)
        return true;
    out.SetLength(n);
    if (!ReadAt(p, out.Data(), n)) {
        out.Clear();
        return false;
    }
    return true;
}

String File::ReadZString()
{
    String text;
    char c;
    while (ReadBlock(&c, 1) && c != 0)
        text.Append(c);
    return text;
}

bool File::WriteText(const String& text)
{
    if (text.IsEmpty())
        return true;
    if (AtEnd())
        return WriteBlock(text.Data(), text.Length());
    if (!PushPositionAndSeekEnd()) {
        PopPosition();
        return fail("Seek failed");
    }
    bool ok = WriteBlock(text.Data(), text.Length());
    PopPosition();
    return ok;
}

bool File::EnsureTrailingLineBreak()
{
    int size = Size();
    if (size < 0)
        return fail("File not open");
    if (size > 0) {
        char last;
        if (!ReadTail(&last, 1))
            return false;
        if (last == '\r' || last == '\n')
            return true;
    }
    return WriteText("\r\n");
}

// ---------------------------------------------------------------- memory image and file state

bool File::LoadIntoMemory()
{
    if (inMemory_)
        return true;
    if (!handle_.valid())
        return fail("File not open");
    if (!canRead_)
        return fail("Read access denied");
    int size = Size();
    int position = Position();
    if (size < 0 || position < 0)
        return fail("Failed to read the file into memory.");
    String image;
    if (size > 0) {
        OutOfMemoryHandlerOff quiet;
        if (!image.TrySetLength(size))
            return fail("Failed to read the file into memory.");
    }
    if (size > 0 && !ReadAt(0, image.Data(), size))
        return false;
    image_.Assign(image);
    image_.Seek(position < size ? position : size);
    inMemory_ = true;
    imageChanged_ = false;
    return true;
}

bool File::Truncate()
{
    if (!canWrite_)
        return fail("Write access denied");
    if (inMemory_) {
        image_.Truncate();
        imageChanged_ = true;
        return true;
    }
    if (!handle_.valid())
        return fail("File not open");
    if (!SetEndOfFile(handle_.get())) {
        lastError_ = lastErrorText();
        return false;
    }
    return true;
}

bool File::Flush()
{
    if (inMemory_)
        return true;
    if (!handle_.valid())
        return fail("File not open");
    if (!FlushFileBuffers(handle_.get())) {
        lastError_ = lastErrorText();
        return false;
    }
    return true;
}

bool File::SetModifiedTime(const DateTime& t)
{
    if (!handle_.valid())
        return fail("File not open");
    // A changed image written back on Close would set the time again: write it now.
    if (inMemory_ && imageChanged_ && !writeBackImage())
        return false;
    if (!inMemory_ && !Flush())
        return false;
    return setHandleWriteTime(t);
}

bool File::SetWriteTime(const DateTime& t)
{
    if (!handle_.valid())
        return fail("File not open");
    if (inMemory_)
        return fail("File is in memory");
    return setHandleWriteTime(t);
}

bool File::setHandleWriteTime(const DateTime& t)
{
    FILETIME time;
    if (!fileTimeFromLocalDateTime(t, time))
        return fail("Invalid date and time");
    if (!SetFileTime(handle_.get(), nullptr, nullptr, &time)) {
        lastError_ = lastErrorText();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- appending

bool AppendToFile(const char* name, const String& text, unsigned flags)
{
    if (!name || !name[0])
        return false;
    unsigned mode = kOpenAtEnd | ((flags & kAppendExistingOnly) ? unsigned(kOpenExistingOnly) : 0u);
    for (int attempt = 0; attempt < kAppendAttempts; ++attempt) {
        File file;
        if (file.Open(name, mode, FILE_ATTRIBUTE_NORMAL) != kOpenOk)
            return false;
        if (flags & kAppendLineBreakFirst)
            file.EnsureTrailingLineBreak();
        if (text.IsEmpty())
            return true;
        if (file.WriteText(text))
            return true;
        if (flags & kAppendNoRetry)
            return false;
        file.Close();
        waitFunction(kAppendRetryWait);
    }
    return false;
}

bool WriteTextFile(const char* name, const String& text)
{
    if (!name || !name[0])
        return false;
    for (int attempt = 0; attempt < kAppendAttempts; ++attempt) {
        if (attempt > 0)
            waitFunction(kAppendRetryWait);
        File file;
        if (file.Open(name, kOpenCreateAlways | kOpenNoSharingRetry, FILE_ATTRIBUTE_NORMAL) == kOpenOk &&
            file.WriteBlock(text.Data(), text.Length()))
            return true;
    }
    return false;
}
