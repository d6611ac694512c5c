#pragma once
// The decisions before the installation directory: the excluded systems and the first part
// of the reinstall question.

#include "core/String.h"

#include <cstdint>

// Whether the excluded-systems mask has the running system's bit.
bool systemExcluded(uint32_t excludedSystems, uint32_t runningSystemBit);

// The message that opens the reinstall question: kMsgExistingFound (3) unless compareVersions
// is set and neither version text is blank; then, comparing the installed version with the
// archive's (CompareVersions), kMsgExistingSameVersion (4) when equal, kMsgExistingOlder (5)
// when the installed one is lower, kMsgExistingNewer (6) when it is higher.
int reinstallMessage(bool compareVersions, const String& installedVersion, const String& archiveVersion);
