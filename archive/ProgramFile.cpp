#include "archive/ProgramFile.h"

#include "platform/Win32.h"

bool ProgramFile::open(const String& path)
{
    handle_.reset(CreateFileA(path.CStr(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle_.valid())
        return false;
    DWORD high = 0;
    DWORD low = GetFileSize(handle_.get(), &high);
    if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0) {
        handle_.reset();
        return false;
    }
    size_ = low;
    return true;
}

void ProgramFile::close()
{
    handle_.reset();
    size_ = 0;
}

bool ProgramFile::seek(uint32_t offset)
{
    if (!handle_.valid() || offset > size_)
        return false;
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN) != 0;
}

bool ProgramFile::readAt(uint32_t offset, void* destination, int count)
{
    if (count < 0 || !seek(offset))
        return false;
    char* to = static_cast<char*>(destination);
    while (count > 0) {
        DWORD got = 0;
        if (!ReadFile(handle_.get(), to, static_cast<DWORD>(count), &got, nullptr) || got == 0)
            return false;
        to += got;
        count -= static_cast<int>(got);
    }
    return true;
}
