// The excluded-systems decision and the opening of the reinstall question.
#include "app/portable/InstallationChecks.h"

#include "app/portable/SequenceMessages.h"

namespace {

bool isBlank(const String& text)
{
    return text.FindNotOf(" \r\n\t") < 0;
}

} // namespace

bool systemExcluded(uint32_t excludedSystems, uint32_t runningSystemBit)
{
    return (excludedSystems & runningSystemBit) != 0;
}

int reinstallMessage(bool compareVersions, const String& installedVersion, const String& archiveVersion)
{
    if (!compareVersions || isBlank(installedVersion) || isBlank(archiveVersion))
        return kMsgExistingFound;
    const int order = CompareVersions(installedVersion.CStr(), archiveVersion.CStr());
    if (order == 0)
        return kMsgExistingSameVersion;
    return order < 0 ? kMsgExistingOlder : kMsgExistingNewer;
}
