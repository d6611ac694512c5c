// Finding the archive in the program's own file, and the uninstaller image.
#include "archive/ArchiveLocation.h"

#include "app/ErrorBox.h"
#include "app/InstallerState.h"
#include "app/portable/FatalTexts.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/ProductSettings.h"
#include "archive/portable/ProgramPath.h"
#include "archive/portable/UninstallerImage.h"
#include "core/Fatal.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"

namespace {

// Ends the run when code reports a fault.
void check(int code)
{
    if (code != 0)
        corruptInstaller(code);
}

// The bytes of the section that this process can read: the section's mapped size, cut at the
// end of the loaded module's image (the file the command line names need not be the file
// the process was loaded from).
uint32_t readableSectionSize(const uint8_t* module, const ArchiveSection& section)
{
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(module + dos->e_lfanew);
    const uint32_t imageSize = nt->OptionalHeader.SizeOfImage;
    if (section.virtualAddress >= imageSize)
        return 0;
    const uint32_t available = imageSize - section.virtualAddress;
    return section.mappedSize() < available ? section.mappedSize() : available;
}

void openProgramFile(ArchiveLocation& location)
{
    location.path = programPathFromCommandLine(GetCommandLineA());
    if (location.file.open(location.path))
        return;
    // A program started through the search path, or by a relative name from another
    // directory, is not found by its command line; the module's own path always names it.
    if (!selfPath().IsEmpty() && location.file.open(selfPath())) {
        location.path = selfPath();
        return;
    }
    fatalErrorf("Error code 1: The self-extracting archive could not open itself.  Filename:\n%s",
                location.path.CStr());
}

void findSection(ArchiveLocation& location)
{
    const int found = findArchiveSection(location.file, location.section);
    if (found == kNoArchiveSection)
        fatalError(kNoArchiveText);
    check(found);
    if (!location.file.seek(location.section.rawOffset))
        corruptInstaller(kCorruptRawOffsetSeek);
}

} // namespace

void locateArchive(ArchiveLocation& location)
{
    openProgramFile(location);
    findSection(location);

    const uint8_t* module = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    ArchiveCursor& cursor = installerState().archiveCursor;
    cursor.reset(module + location.section.virtualAddress, readableSectionSize(module, location.section));

    const int header = readArchiveHeader(cursor, location.header);
    if (header == kArchiveVersionRefused)
        fatalError(archiveVersionText(location.header.version));
    check(header);
    check(openSettingsBlock(cursor, location.header.settingsSize, location.header.settingsKey, location.settings));
}

String buildUninstallerImage(ArchiveLocation& location, const ProductSettings& settings, uint64_t productFlags)
{
    UninstallerImageInput input;
    input.fileSize = location.file.size();
    input.section = location.section;
    input.checkStub = hasProductFlag(productFlags, kFlagCheckStub);
    input.stubChecksum = location.header.stubChecksum;
    input.patchOffset = settings.patchOffset;
    input.patch = &settings.patchBytes;
    String image;
    check(makeUninstallerImage(location.file, input, image));
    return image;
}
