#include "platform/FindFile.h"

#include "platform/FileTime.h"

#include <cstring>

namespace {

// A name the engine can use: not empty and free of the characters that are not valid in a path
// component.
bool isListable(const char* name)
{
    return name[0] != 0 && std::strpbrk(name, "/\"<>|*?:;") == nullptr;
}

void fill(const WIN32_FIND_DATAA& data, FileInfo& info)
{
    info.creationTime = localDateTimeFromFileTime(data.ftCreationTime);
    info.attributes = data.dwFileAttributes;
    info.lastAccessTime = localDateTimeFromFileTime(data.ftLastAccessTime);
    info.lastWriteTime = localDateTimeFromFileTime(data.ftLastWriteTime);
    info.name.Assign(data.cFileName);
    info.shortName.Assign(data.cAlternateFileName);
    info.size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) + data.nFileSizeLow;
}

} // namespace

bool FindFile::FindFirst(const char* pattern, FileInfo* info)
{
    EndFind();
    if (!pattern || !pattern[0])
        return false;
    WIN32_FIND_DATAA data;
    handle_ = FindFirstFileA(pattern, &data);
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    return stopAtListable(data, info);
}

bool FindFile::FindNext(FileInfo* info)
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(handle_, &data)) {
        EndFind();
        return false;
    }
    return stopAtListable(data, info);
}

// From the entry in data on, the first listable one fills info; ends the listing when none.
bool FindFile::stopAtListable(WIN32_FIND_DATAA& data, FileInfo* info)
{
    while (!isListable(data.cFileName)) {
        if (!FindNextFileA(handle_, &data)) {
            EndFind();
            return false;
        }
    }
    if (info)
        fill(data, *info);
    return true;
}

void FindFile::EndFind()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}
