#pragma once
// FindFile: walks the entries of a directory listing (FindFirstFileA / FindNextFileA).
//
// Entries whose name is empty or contains one of / " < > | * ? : ; are skipped. The listing is
// ended by EndFind, by reaching its end, by a new FindFirst, or when the object goes.

#include "platform/FileInfo.h"
#include "platform/Win32.h"

class FindFile {
public:
    FindFile() : handle_(INVALID_HANDLE_VALUE) {}
    ~FindFile() { EndFind(); }
    FindFile(const FindFile&) = delete;
    FindFile& operator=(const FindFile&) = delete;

    // Ends any earlier listing and starts one for pattern ("C:\dir\*.txt"). True with info
    // (when given) filled from the first entry; false when nothing matches (info unchanged).
    bool FindFirst(const char* pattern, FileInfo* info);
    // The next entry into info (when given). At the end the listing is ended and the result is
    // false (info unchanged); false also when no listing is running.
    bool FindNext(FileInfo* info);
    // Ends the listing (FindClose); nothing when none is running.
    void EndFind();

private:
    bool stopAtListable(WIN32_FIND_DATAA& data, FileInfo* info);

    HANDLE handle_;
};
