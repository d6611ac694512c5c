// File attributes and directory entries of single paths.
#include "platform/FileAttributes.h"

#include "platform/FindFile.h"
#include "platform/Win32.h"

int32_t getAttributes(const char* path)
{
    if (!path)
        return -1;
    return static_cast<int32_t>(GetFileAttributesA(path));
}

bool isReadOnly(const char* path)
{
    const int32_t attributes = getAttributes(path);
    return attributes != -1 && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool setAttributes(const char* path, uint32_t attributes)
{
    return path && SetFileAttributesA(path, attributes) != 0;
}

bool changeAttributes(const char* path, uint32_t mask, uint32_t values)
{
    const int32_t attributes = getAttributes(path);
    if (attributes == -1)
        return false;
    const uint32_t old = static_cast<uint32_t>(attributes);
    const uint32_t changed = (old & ~mask) | (values & mask);
    return changed == old || setAttributes(path, changed);
}

bool clearAttributes(const char* path, uint32_t mask)
{
    return changeAttributes(path, mask, 0);
}

bool setReadOnly(const char* path, bool readOnly)
{
    return changeAttributes(path, FILE_ATTRIBUTE_READONLY, readOnly ? FILE_ATTRIBUTE_READONLY : 0);
}

bool findEntry(const char* path, FileInfo& entry)
{
    FindFile find;
    return find.FindFirst(path, &entry);
}

bool fileTimes(const char* path, DateTime& creation, DateTime& lastAccess, DateTime& lastWrite)
{
    FileInfo entry;
    if (!findEntry(path, entry))
        return false;
    creation = entry.creationTime;
    lastAccess = entry.lastAccessTime;
    lastWrite = entry.lastWriteTime;
    return true;
}
