#pragma once
// Writing one stored file to its destination: retries, read-back verification, attribute
// clearing, its time and attributes, and replacement at the next restart when it is in use.

#include "archive/format/ArchiveTime.h"
#include "core/String.h"
#include "install/portable/InstallTexts.h"

#include <cstdint>

// How files are written (from the product flags and the language table).
struct FileWriteOptions {
    bool verify = false;               // read each written file back and compare
    bool clearAttributesOnFailure = false; // after a first failure clear read-only, hidden, system
    bool replaceNewAtRestart = false;  // also replace files that did not exist before at restart
    String writeFailedText;            // the message that opens a write-failure report
};

// Writes length bytes to destination, up to three attempts, setting the last-write time on the
// write handle before it closes (when the date and the time of day are set); then, unless
// attributes is 0xFFFFFFFF, sets the attribute bits of mask 0x1127 to those of attributes. A failure to write is reported in texts (errors, or log when
// the file was registered for replacement at restart: when existed or replaceNewAtRestart).
// True when the file was written now. A negative length is a corrupt archive (fatal).
bool WriteFile(const String& destination, const char* bytes, int length, const ArchiveTime& time,
               uint32_t attributes, bool existed, const FileWriteOptions& options,
               InstallTexts& texts);

// Writes the bytes to a new temporary file ("QVT" prefix) and registers it to replace target at
// the next restart. True when registered (temporaryPath then names the file); false otherwise
// (failure appended to failureMessage when the registration failed, temporary file removed).
bool ScheduleReplacement(const char* bytes, int length, const String& target,
                         String& temporaryPath, String& failureMessage);
