// The volume files of the file-data block and the loop that reads them.
#include "archive/portable/VolumeGathering.h"

#include "app/portable/MessageFormat.h"
#include "archive/format/ArchiveFormat.h"
#include "platform/portable/PathText.h"

String volumePath(const String& installerDir, const String& baseName, uint32_t number)
{
    String name;
    name.Format("%s%u.QSX", baseName.CStr(), number);
    return joinPath(installerDir, name);
}

int gatheringProgress(uint32_t total, uint32_t remaining)
{
    if (total == 0 || remaining > total)
        return 5;
    return 5 + static_cast<int>((uint64_t(total) - remaining) * 30 / total);
}

VolumeVerdict judgeVolume(uint32_t size, bool wordRead, uint32_t word, uint32_t expectedSequence,
                          uint32_t missing)
{
    if (size <= 4 || !wordRead || word != expectedSequence)
        return kVolumeWrong;
    return size - 4 > missing ? kVolumeTooLong : kVolumeAccepted;
}

String volumeRequestText(int misses, const String& wrongVolume, const String& request,
                         uint32_t number, char drive)
{
    String text;
    if (misses > 1) {
        text.Append(wrongVolume);
        text.Append("\r\n\r\n");
    }
    if (formatTakes(request.CStr(), "dc"))
        text.AppendFormat(request.CStr(), static_cast<int>(number), drive);
    else
        text.Append(request);
    return text;
}

namespace {

// Tries volume path until it opens and is judged; returns the verdict (never kVolumeWrong)
// with size set and the volume open.
VolumeVerdict findVolume(VolumeSource& source, const VolumeRequest& request, const String& path,
                         uint32_t number, uint32_t sequence, uint32_t missing, uint32_t& size)
{
    int misses = 0;
    for (;;) {
        if (misses != 0)
            source.askForVolume(volumeRequestText(misses, request.wrongVolume, request.request,
                                                  number, driveLetter(path)));
        if (!source.open(path, size)) {
            ++misses;
            continue;
        }
        uint8_t word[4];
        const bool wordRead = size >= 4 && source.readAt(0, word, 4);
        const VolumeVerdict verdict = judgeVolume(size, wordRead, wordRead ? loadU32(word) : 0, sequence, missing);
        if (verdict != kVolumeWrong)
            return verdict;
        source.close();
        misses = 2;
    }
}

} // namespace

int gatherVolumes(VolumeSource& source, const VolumeRequest& request, uint8_t* buffer,
                  uint32_t filled, uint32_t total)
{
    uint32_t number = kFirstVolumeNumber - 1;
    uint32_t sequence = request.firstSequence;
    while (filled < total) {
        const uint32_t missing = total - filled;
        source.showProgress(gatheringProgress(total, missing));
        ++number;
        const String path = volumePath(request.installerDir, request.baseName, number);
        uint32_t size = 0;
        const VolumeVerdict verdict = findVolume(source, request, path, number, sequence, missing, size);
        const uint32_t count = size - 4;
        const bool read = verdict == kVolumeAccepted && source.readAt(4, buffer + filled, static_cast<int>(count));
        source.close();
        if (!read)
            return kCorruptVolumeRead;
        filled += count;
        ++sequence;
    }
    return 0;
}
