#include "install/portable/DeletionCondition.h"

#include "archive/format/ArchiveFormat.h"
#include "core/DateAndTime.h"

namespace {

enum : int {
    kSameDate = 1,
    kOlderThan = 2,
    kNewerThan = 3,
    kSizeEqual = 4,
    kSizeAtLeast = 5,
    kSizeAtMost = 6,
};

// The value of a date condition as a DateTime; false when it holds no date.
bool parseConditionDate(const String& value, DateTime& out, bool& withTime)
{
    DateAndTime parsed;
    if (!parsed.ParseDateAndTime(value.CStr()) || parsed.date.month < 1)
        return false;
    out = DateTime();
    out.year = parsed.date.year;
    out.month = parsed.date.month;
    out.day = parsed.date.day;
    withTime = parsed.time.hour >= 0;
    if (withTime) {
        out.hour = parsed.time.hour;
        out.minute = parsed.time.minute;
        out.second = parsed.time.second < 0 ? 0 : parsed.time.second;
    }
    return true;
}

int testDate(const FileDeletion& entry, const DateTime& lastWrite, bool& matches)
{
    DateTime value;
    bool withTime = false;
    if (!parseConditionDate(entry.value, value, withTime))
        return kCorruptDate;
    DateTime file = lastWrite;
    if (!withTime) {
        file.hour = -1;
        file.minute = 0;
        file.second = 0;
    }
    int order = CompareDateTimes(file, value);
    if (entry.condition == kSameDate)
        matches = order == 0;
    else if (entry.condition == kOlderThan)
        matches = order < 0;
    else
        matches = order > 0;
    return 0;
}

} // namespace

int testDeletionCondition(const FileDeletion& entry, const DateTime& lastWrite, int64_t size,
                          bool& matches)
{
    switch (entry.condition) {
    case kSameDate:
    case kOlderThan:
    case kNewerThan:
        return testDate(entry, lastWrite, matches);
    case kSizeEqual:
        matches = size == entry.value.FirstNumber64();
        return 0;
    case kSizeAtLeast:
        matches = size >= entry.value.FirstNumber64();
        return 0;
    case kSizeAtMost:
        matches = size <= entry.value.FirstNumber64();
        return 0;
    default:
        matches = true;
        return 0;
    }
}
