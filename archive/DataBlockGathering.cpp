// Gathering, checking and decompressing the file-data block.
#include "archive/DataBlockGathering.h"

#include "app/ErrorBox.h"
#include "app/ExitProgram.h"
#include "app/InstallerState.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "archive/portable/VolumeGathering.h"
#include "core/Fatal.h"
#include "platform/ProcessPaths.h"
#include "platform/Win32.h"
#include "ui/Progress.h"

#include <cstring>

namespace {

const char kDataReadFailed[] = "Error code 2: failed to read archive data";

// The volume files beside the program, the question for a missing one and the progress bar.
class VolumeFiles : public VolumeSource {
public:
    bool open(const String& path, uint32_t& size) override
    {
        if (!file_.open(path))
            return false;
        size = file_.size();
        return true;
    }
    bool readAt(uint32_t offset, void* destination, int count) override
    {
        return file_.readAt(offset, destination, count);
    }
    void close() override { file_.close(); }

    // OK tries again; any other answer asks whether to cancel: Yes ends the run, No tries again.
    void askForVolume(const String& text) override
    {
        if (MessageBoxA(ownerWindow(), text.CStr(), message(kMsgVolumeCaption).CStr(),
                        MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            return;
        if (MessageBoxA(ownerWindow(), message(kMsgCancelQuestion).CStr(), message(kMsgCancelCaption).CStr(),
                        MB_YESNO | MB_ICONQUESTION) == IDYES)
            exitProgram();
    }
    void showProgress(int percent) override { SetProgress(percent); }

private:
    ProgramFile file_;
};

// Image mode: the block's bytes in the mapped archive section, from dataOffset to archiveEnd.
// Returns the bytes at hand; data points at the first.
uint32_t bytesInImage(const ArchiveLocation& archive, const uint8_t*& data)
{
    const ArchiveCursor& cursor = installerState().archiveCursor;
    const uint8_t* section = cursor.current() - cursor.position();
    const uint32_t readable = cursor.position() + cursor.remaining();
    const uint32_t end = static_cast<uint32_t>(archive.header.archiveEnd);
    if (end < archive.header.dataOffset || end > readable)
        corruptInstaller(kCorruptOverrun);
    data = section + archive.header.dataOffset;
    return end - archive.header.dataOffset;
}

// Multi-volume mode: the bytes from the block's start to the end of the program file, read
// into storage (sized for the whole block). Returns their number.
uint32_t bytesInFile(ArchiveLocation& archive, uint32_t total, String& storage)
{
    const uint64_t start = uint64_t(archive.section.rawOffset) + archive.header.dataOffset;
    if (start > archive.file.size())
        fatalError(kDataReadFailed);
    const uint32_t atHand = static_cast<uint32_t>(archive.file.size() - start);
    if (atHand > total)
        corruptInstaller(kCorruptVolumeRead);
    storage.SetLength(static_cast<int>(total));
    if (!archive.file.readAt(static_cast<uint32_t>(start), storage.Data(), static_cast<int>(atHand)))
        fatalError(kDataReadFailed);
    return atHand;
}

void gatherMissingBytes(const ProductSettings& settings, uint8_t* buffer, uint32_t atHand, uint32_t total)
{
    VolumeRequest request;
    request.installerDir = selfDir();
    request.baseName = settings.volumeBaseName;
    request.firstSequence = settings.firstVolumeNumber;
    request.wrongVolume = message(kMsgWrongVolume);
    request.request = message(kMsgVolumeRequest);
    VolumeFiles files;
    const int code = gatherVolumes(files, request, buffer, atHand, total);
    if (code != 0)
        corruptInstaller(code);
}

// The gathered bytes stay where they are: the decoding reads them while the files are written.
void startDecoding(DataBlock& block)
{
    if (!block.decoding.start(block.data, static_cast<int>(block.length)))
        corruptInstaller(kCorruptDataBlock);
    block.data = block.decoding.output();
    block.length = block.decoding.outputLength();
    block.beingDecoded = true;
}

} // namespace

void GatherDataBlock(ArchiveLocation& archive, const ProductSettings& settings, DataBlock& block)
{
    Step(kMsgGatherStatus, 2);
    const uint32_t total = static_cast<uint32_t>(archive.header.dataSize);
    block.storage.Clear();
    block.data = nullptr;
    uint32_t atHand = 0;
    if (settings.multiVolume) {
        atHand = bytesInFile(archive, total, block.storage);
    } else {
        atHand = bytesInImage(archive, block.data);
        if (atHand < total) {
            block.storage.SetLength(static_cast<int>(total));
            memcpy(block.storage.Data(), block.data, atHand);
            block.data = nullptr;
        }
    }
    if (atHand < total)
        gatherMissingBytes(settings, reinterpret_cast<uint8_t*>(block.storage.Data()), atHand, total);
    if (!block.data)
        block.data = reinterpret_cast<const uint8_t*>(block.storage.CStr());
    block.length = total;

    HoldStatus(settings.stepDelay);
    Step(kMsgChecksumStatus, 36);
    if (archiveChecksum(block.data, static_cast<int>(block.length)) != archive.header.dataChecksum)
        corruptInstaller(kCorruptDataChecksum);

    HoldStatus(settings.stepDelay);
    if (settings.hasFlag(kFlagCompressedData) && block.length != 0) {
        Step(kMsgDecompressStatus, 40);
        startDecoding(block);
        HoldStatus(settings.stepDelay);
    }
}
