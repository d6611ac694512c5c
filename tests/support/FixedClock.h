#pragma once
// FixedClock: while it lives, the library's clock (core/Clock.h) reads one fixed moment.

#include "core/Clock.h"

class FixedClock {
public:
    explicit FixedClock(int year, int month = 6, int day = 15, int hour = 12, int minute = 0,
                        int second = 0)
    {
        moment() = Clock::Reading{year, month, day, hour, minute, second};
        previous_ = Clock::SetSource(&read);
    }
    ~FixedClock() { Clock::SetSource(previous_); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

private:
    static Clock::Reading& moment()
    {
        static Clock::Reading r{};
        return r;
    }
    static void read(Clock::Reading& out) { out = moment(); }

    Clock::Source previous_;
};
