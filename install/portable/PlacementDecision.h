#pragma once
// Whether a stored file is written over what is at its destination: the existence modes of the
// record flags and the rules of each destination kind (always for the installation directory,
// by date for shared files and fonts, by version and then date for system files).

#include "archive/format/ArchiveTime.h"
#include "core/String.h"
#include "platform/portable/DateTime.h"

#include <cstdint>

// What is known of the destination before writing.
struct ExistingFile {
    bool exists = false;
    bool timeKnown = false;  // lastWrite could be read
    DateTime lastWrite;      // local time
    String version;          // its version resource's file version; empty when none
};

struct PlacementDecision {
    bool write = false;
    bool existed = false;          // passed to the writer: the file was there before
    bool keepInUninstall = false;  // not written, but the existing file enters the uninstall list
    String logLine;                // for the install log; empty when nothing is logged
};

// The stored file's time as a DateTime (no date when its month is 0, no time when its hour is
// negative).
DateTime dateTimeFromArchiveTime(const ArchiveTime& t);

// Whether decidePlacement looks at the destination for a record of kind with flags: false for
// existence mode "never" and for the installation-directory kinds in mode "always", whose
// decision is the same whatever is there (the caller then need not examine it).
bool placementNeedsDestination(uint32_t kind, uint32_t flags);

// Decides for a record of kind with flags (existence mode in bits 2-3, leave-at-uninstall in
// bit 5), its time and version text, about destination as found in existing. The log lines
// begin with destination.
PlacementDecision decidePlacement(uint32_t kind, uint32_t flags, const ArchiveTime& recordTime,
                                  const char* recordVersion, const char* destination,
                                  const ExistingFile& existing);
