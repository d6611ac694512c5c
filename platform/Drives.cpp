// Drive and free-space queries.
#include "platform/Drives.h"

namespace {

struct FreeSpaceLookup {
    bool done = false;
    DiskFreeSpaceExFunction function = nullptr;
};

FreeSpaceLookup& lookup()
{
    static FreeSpaceLookup state;
    if (!state.done) {
        state.done = true;
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        if (kernel)
            state.function = reinterpret_cast<DiskFreeSpaceExFunction>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
    }
    return state;
}

bool beginsWithLetter(const String& path)
{
    const char c = path.CharAt(0);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

String rootOf(char letter)
{
    String root;
    root.Format("%c:\\", letter);
    return root;
}

bool classicDiskSpace(const String& root, int64_t& freeBytes, int64_t& totalBytes)
{
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(root.CStr(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return false;
    const int64_t cluster = static_cast<int64_t>(sectorsPerCluster) * bytesPerSector;
    freeBytes = cluster * freeClusters;
    totalBytes = cluster * totalClusters;
    return true;
}

} // namespace

bool driveExists(char letter)
{
    return GetDriveTypeA(rootOf(letter).CStr()) != DRIVE_NO_ROOT_DIR;
}

int64_t freeSpace(const String& path)
{
    if (!beginsWithLetter(path))
        return -1;
    int64_t freeBytes, totalBytes;
    if (!diskSpace(rootOf(path.CharAt(0)), freeBytes, totalBytes))
        return -1;
    return freeBytes;
}

int clusterSize(const String& path)
{
    if (!beginsWithLetter(path))
        return -1;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(rootOf(path.CharAt(0)).CStr(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &totalClusters))
        return -1;
    return static_cast<int>(sectorsPerCluster * bytesPerSector);
}

bool diskSpace(const String& root, int64_t& freeBytes, int64_t& totalBytes)
{
    FreeSpaceLookup& state = lookup();
    if (state.function) {
        ULARGE_INTEGER available, total, totalFree;
        if (state.function(root.CStr(), &available, &total, &totalFree)) {
            freeBytes = static_cast<int64_t>(totalFree.QuadPart);
            totalBytes = static_cast<int64_t>(total.QuadPart);
            return true;
        }
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
            return false;
        state.function = nullptr;
    }
    return classicDiskSpace(root, freeBytes, totalBytes);
}

DiskFreeSpaceExFunction setDiskFreeSpaceExFunction(DiskFreeSpaceExFunction function)
{
    FreeSpaceLookup& state = lookup();
    DiskFreeSpaceExFunction before = state.function;
    state.function = function;
    return before;
}
