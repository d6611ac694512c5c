#pragma once
// SystemVersion: what the system's version record says, and the two readings of it: the
// description shown in messages and the system's bit of the excluded-systems mask.

#include "core/String.h"

#include <cstdint>

struct SystemVersion {
    // Platform ids of the version record.
    enum : uint32_t { win32s = 0, windows9x = 1, windowsNt = 2 };

    uint32_t platformId = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
    String servicePack; // the record's CSD text, e.g. "Service Pack 3"

    // "Windows " and the system's name: "%d.%d" on platform 0; "95", "98" or "ME" for 9x
    // version 4 (minor below 10, below 90, else), "9x %d.%d" for another 9x version; "2000"
    // for NT 5.0, "XP" for NT 5.1, "NT %d.%d" for another NT version; nothing more on any
    // other platform. Then a blank, unless the service-pack text begins with one, the
    // service-pack text, and trailing blanks (space, CR, LF, tab) removed.
    String description() const;

    // The system's ExcludedSystem bit (archive/format/SettingsLayout.h): the systems named
    // there, kExcludeOtherSystem for any other (an unknown platform, a 9x system that is not
    // version 4, NT 5.3 and later, NT 6 and later).
    uint32_t excludedSystemBit() const;
};
