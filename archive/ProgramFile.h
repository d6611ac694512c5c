#pragma once
// ProgramFile: the program's own file, open read-only (others may read it too) for as long
// as the archive is read from it.

#include "archive/portable/PositionedReader.h"
#include "core/String.h"
#include "platform/Handle.h"

#include <cstdint>

class ProgramFile : public PositionedReader {
public:
    ProgramFile() = default;
    ProgramFile(const ProgramFile&) = delete;
    ProgramFile& operator=(const ProgramFile&) = delete;

    // Opens path read-only, sharing read access, closing any file held before. False when it
    // cannot be opened or its size is 4 GiB or more (the file is then closed).
    bool open(const String& path);
    bool isOpen() const { return handle_.valid(); }
    // Closes the file (nothing when none is open); size() becomes 0.
    void close();
    // The file's size in bytes, noted when it was opened.
    uint32_t size() const { return size_; }

    // Positions the file at offset: false when it is not open, the offset passes the file's
    // end, or the system refuses.
    bool seek(uint32_t offset);
    // PositionedReader: exactly count bytes at offset; false for a short or failed read.
    bool readAt(uint32_t offset, void* destination, int count) override;

private:
    Handle handle_;
    uint32_t size_ = 0;
};
