// Finding the archive section in the program's own file.
#include "archive/OwnArchiveSection.h"

#include "app/ErrorBox.h"
#include "archive/portable/PositionedReader.h"
#include "core/Fatal.h"
#include "core/String.h"
#include "platform/Handle.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"

namespace {

// Positioned reads from an open file.
class FileReader : public PositionedReader {
public:
    explicit FileReader(void* file) : file_(file) {}

    bool readAt(uint32_t offset, void* destination, int count) override
    {
        if (count <= 0)
            return count == 0;
        LARGE_INTEGER position;
        position.QuadPart = offset;
        if (!SetFilePointerEx(file_, position, nullptr, FILE_BEGIN))
            return false;
        DWORD got = 0;
        return ReadFile(file_, destination, static_cast<DWORD>(count), &got, nullptr) &&
               got == static_cast<DWORD>(count);
    }

private:
    void* file_;
};

} // namespace

bool findOwnArchiveSection(ArchiveSection& out)
{
    // The module's own path, not the name on the command line: a program started through
    // the search path, or from another directory, is still found.
    const String& path = selfPath();
    Handle file(CreateFileA(path.CStr(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        fatalErrorf("Error code 1: The self-extracting archive could not open itself.  Filename:\n%s",
                    path.CStr());

    FileReader reader(file.get());
    const int result = findArchiveSection(reader, out);
    if (result == kNoArchiveSection)
        return false;
    if (result != 0)
        corruptInstaller(result);
    return true;
}
