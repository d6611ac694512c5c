#pragma once
// The volume files that complete the file-data block: their names, what a volume's size and
// first word say about it, the request shown for a missing volume, the progress figure, and
// the loop that reads volume after volume into the block. The files and the questions are
// reached through VolumeSource, so the loop runs anywhere.
//
// A volume file holds a u32 little-endian sequence number, then the next bytes of the block.
// Volume number 2 (the installer is volume 1) carries the settings' first volume number,
// each further volume one more.

#include "core/String.h"

#include <cstdint>

// Language messages of the gathering.
enum GatherMessage : int {
    kMsgGatherStatus = 8,        // status line while the data is gathered
    kMsgCancelCaption = 20,      // caption of the cancel confirmation
    kMsgVolumeRequest = 26,      // %d volume number, %c drive letter
    kMsgVolumeCaption = 27,
    kMsgCancelQuestion = 28,
    kMsgDecompressStatus = 29,
    kMsgWrongVolume = 30,        // put in front of the request after a wrong volume
    kMsgChecksumStatus = 62,
};

// join(installerDir, baseName + number in decimal + ".QSX").
String volumePath(const String& installerDir, const String& baseName, uint32_t number);

// The progress percentage while volumes are read: 5 + (total - remaining) * 30 / total,
// in 64 bits (integer division). 5 when total is 0 or remaining exceeds it.
int gatheringProgress(uint32_t total, uint32_t remaining);

// What a volume that opened is, from its size, its first word (wordRead false: the word could
// not be read) and the bytes the block still misses.
enum VolumeVerdict {
    kVolumeAccepted,   // the right volume, and its data fits
    kVolumeWrong,      // 4 bytes or fewer, no first word, or another sequence number
    kVolumeTooLong,    // the right volume, but more data than the block still misses
};
VolumeVerdict judgeVolume(uint32_t size, bool wordRead, uint32_t word, uint32_t expectedSequence,
                          uint32_t missing);

// The request for volume number: request (message 26) formatted with number and drive (the
// letter as a character code; 0 when the volume's path has none), or request as it is when
// its conversions are not "%d" then "%c"; when misses is above 1, wrongVolume (message 30)
// and "\r\n\r\n" come first.
String volumeRequestText(int misses, const String& wrongVolume, const String& request,
                         uint32_t number, char drive);

// The files and questions of the volume loop.
class VolumeSource {
public:
    // Opens path for reading (closing any volume still open); false when it cannot be opened.
    // size receives the file's length.
    virtual bool open(const String& path, uint32_t& size) = 0;
    // Exactly count bytes at offset of the open volume; false when they cannot all be read.
    virtual bool readAt(uint32_t offset, void* destination, int count) = 0;
    virtual void close() = 0;
    // Shows text, asking for the volume; returns when it is to be tried again. (Giving up
    // ends the run inside.)
    virtual void askForVolume(const String& text) = 0;
    virtual void showProgress(int percent) = 0;

protected:
    ~VolumeSource() = default;
};

struct VolumeRequest {
    String installerDir;       // where the volume files lie
    String baseName;           // the settings' volume base name
    uint32_t firstSequence = 0;  // the settings' first volume number
    String wrongVolume;        // message 30
    String request;            // message 26
};

// Fills buffer[filled, total) from volumes 2, 3, ... in order. For each: the progress figure,
// then tries until the volume opens and is judged accepted, asking before every try after a
// miss (a volume that does not open adds one to its miss count, a wrong one sets it to 2;
// each volume starts at 0). A volume's data goes where the previous one ended. Returns 0
// when the buffer is full; kCorruptVolumeRead when an accepted volume's data cannot be read
// or a volume is too long (the buffer then holds what was read). Nothing is read when
// filled >= total.
int gatherVolumes(VolumeSource& source, const VolumeRequest& request, uint8_t* buffer,
                  uint32_t filled, uint32_t total);
