#include "core/Clock.h"

#include <ctime>

namespace {

void systemClock(Clock::Reading& out)
{
    std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    if (!t) {
        out = Clock::Reading{1970, 1, 1, 0, 0, 0};
        return;
    }
    out.year = t->tm_year + 1900;
    out.month = t->tm_mon + 1;
    out.day = t->tm_mday;
    out.hour = t->tm_hour;
    out.minute = t->tm_min;
    out.second = t->tm_sec;
}

Clock::Source installedSource = nullptr;

} // namespace

Clock::Reading Clock::Now()
{
    Reading r{};
    (installedSource ? installedSource : systemClock)(r);
    return r;
}

int Clock::CurrentYear()
{
    return Now().year;
}

Clock::Source Clock::SetSource(Source source)
{
    Source previous = installedSource;
    installedSource = source;
    return previous;
}
