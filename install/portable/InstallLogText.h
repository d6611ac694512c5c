#pragma once
// The text of Install.LOG: a heading that names the product, the date, the kind of
// installation and the versions, then the install log and the error text.

#include "core/String.h"

#include <cstdint>

struct InstallLogFacts {
    String productName;
    String installDir;
    String productVersion;         // no "Product version" line when blank
    bool uninstallSupport = false; // product flag bit 2: the "Install type" line
    bool reinstall = false;        // "Reinstall" instead of "New"
    String log;                    // the install log; left out when blank
    String errors;                 // the error text, last
};

// The whole file; the date is the clock's now (core/Clock.h) as "d-M-yy h:ii:ssap".
String installLogText(const InstallLogFacts& facts);

// Whether Install.LOG is written: product flag bit 6 (always write the log) or an error text
// that is not empty.
bool installLogWanted(uint64_t productFlags, const String& errors);
