#include "install/portable/PlacementDecision.h"

#include "archive/format/FileRecord.h"
#include "install/portable/FileVersionOrder.h"

namespace {

constexpr uint32_t kModeAlways = 0;
constexpr uint32_t kModeNever = 1;
constexpr uint32_t kModeIfExists = 2;
constexpr uint32_t kModeIfMissing = 3;

constexpr char kOutOfDate[] = " is out of date and will be replaced.\r\n";
constexpr char kUpToDate[] = " is up to date.\r\n";
constexpr char kVersionNotNewer[] = " was not installed because its version is not newer.\r\n";
constexpr char kDateNotNewer[] = " was not installed because its date is not newer.\r\n";

void logAbout(PlacementDecision& d, const char* destination, const char* text)
{
    d.logLine = destination;
    d.logLine.Append(text);
}

bool isInstallDirKind(uint32_t kind)
{
    return kind == kKindInstallDir || kind == kKindInstallDirStartup;
}

void decideByDate(PlacementDecision& d, const ArchiveTime& recordTime, const char* destination,
                  const ExistingFile& existing)
{
    bool outOfDate = !recordTime.hasDate() || !recordTime.hasTime() || !existing.timeKnown ||
                     CompareDateTimes(existing.lastWrite, dateTimeFromArchiveTime(recordTime)) < 0;
    d.write = outOfDate;
    logAbout(d, destination, outOfDate ? kOutOfDate : kUpToDate);
}

void decideByVersionAndDate(PlacementDecision& d, const ArchiveTime& recordTime,
                            const char* recordVersion, const char* destination,
                            const ExistingFile& existing)
{
    if (recordVersion && *recordVersion && !existing.version.IsEmpty() &&
        compareFileVersions(recordVersion, existing.version.CStr()) <= 0) {
        logAbout(d, destination, kVersionNotNewer);
        return;
    }
    if (!existing.timeKnown)
        return;
    if (CompareDateTimes(existing.lastWrite, dateTimeFromArchiveTime(recordTime)) >= 0) {
        logAbout(d, destination, kDateNotNewer);
        return;
    }
    d.write = true;
    logAbout(d, destination, kOutOfDate);
}

} // namespace

DateTime dateTimeFromArchiveTime(const ArchiveTime& t)
{
    DateTime d;
    if (t.hasDate()) {
        d.year = t.year;
        d.month = t.month;
        d.day = t.day;
    }
    if (t.hasTime()) {
        d.hour = t.hour;
        d.minute = t.minute;
        d.second = t.second;
    }
    return d;
}

bool placementNeedsDestination(uint32_t kind, uint32_t flags)
{
    const uint32_t mode = (flags & kFileExistenceMask) >> kFileExistenceShift;
    return mode != kModeNever && !(mode == kModeAlways && isInstallDirKind(kind));
}

PlacementDecision decidePlacement(uint32_t kind, uint32_t flags, const ArchiveTime& recordTime,
                                  const char* recordVersion, const char* destination,
                                  const ExistingFile& existing)
{
    PlacementDecision d;
    uint32_t mode = (flags & kFileExistenceMask) >> kFileExistenceShift;
    if (mode == kModeNever || (mode == kModeIfExists && !existing.exists))
        return d;
    if (mode == kModeIfMissing && existing.exists) {
        d.keepInUninstall = isInstallDirKind(kind) && !(flags & kFileLeaveAtUninstall);
        return d;
    }
    if (isInstallDirKind(kind)) {
        d.write = true;
        return d;
    }
    d.existed = existing.exists;
    if (!existing.exists) {
        d.write = true;
        return d;
    }
    if (kind == kKindSharedDir || kind == kKindFont)
        decideByDate(d, recordTime, destination, existing);
    else
        decideByVersionAndDate(d, recordTime, recordVersion, destination, existing);
    return d;
}
