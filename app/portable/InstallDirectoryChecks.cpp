// Checks of a chosen installation directory.
#include "app/portable/InstallDirectoryChecks.h"

#include "app/portable/SequenceMessages.h"
#include "platform/portable/PathText.h"

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isNetworkPath(const String& dir)
{
    return dir.CharAt(0) == '\\' && dir.CharAt(1) == '\\';
}

} // namespace

bool trimInstallDirectory(String& dir)
{
    dir.Trim();
    return !dir.IsEmpty();
}

bool hasOnlyPathCharacters(const String& dir)
{
    String text(dir);
    if (text.Length() >= 2 && text.First() == '"' && text.Last() == '"') {
        text.DropLast(1);
        text.DropFirst(1);
    }
    if (text.IsEmpty())
        return false;
    int from = 0;
    if (text.CharAt(1) == ':') {
        if (!isLetter(text.CharAt(0)))
            return false;
        from = 2;
    }
    return text.FindAnyOf("/\"<>|*?:;", from) < 0;
}

int checkInstallDirectory(const String& dir, const DirectoryCheckContext& context)
{
    if (!hasOnlyPathCharacters(dir) || !isAbsolutePath(dir))
        return kMsgInvalidDirectory;
    if (context.refuseNetwork && isNetworkPath(dir))
        return kMsgNetworkDirectory;
    const char drive = driveLetter(dir);
    if (drive && context.driveHasRoot && !context.driveHasRoot(drive))
        return kMsgNoSuchDrive;
    if (dir.Length() <= 3)
        return kMsgRootDirectory;
    if (sameDirectory(dir, context.programFilesDir))
        return kMsgProgramFilesDirectory;
    return 0;
}

int64_t neededDiskSpace(const Vector<int32_t>& sizes, int64_t cluster)
{
    int64_t total = 0;
    for (int i = 0; i < sizes.Count(); ++i) {
        const int64_t size = sizes[i] > 0 ? sizes[i] : 0;
        const int64_t rest = cluster > 1 ? size % cluster : 0;
        total += rest ? size + (cluster - rest) : size;
    }
    return total;
}

bool diskSpaceShort(int64_t needed, int64_t freeBytes)
{
    return needed >= freeBytes;
}
