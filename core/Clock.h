#pragma once
// Clock: the local wall clock, behind a seam that tests can replace.
//
// Everything in the library that needs "now" (today's date, the current year of the two-digit
// year rule, time stamps) asks Clock::Now. By default it reads the system's local time;
// SetSource installs another reader, so that tests run against a fixed moment.

class Clock {
public:
    // A moment of local time: full year, month 1-12, day 1-31, hour 0-23, minute, second.
    struct Reading {
        int year;
        int month;
        int day;
        int hour;
        int minute;
        int second;
    };

    // Fills the reading with the current local time.
    using Source = void (*)(Reading& out);

    // The current local time from the installed source.
    static Reading Now();
    // The year of Now().
    static int CurrentYear();
    // Installs a source; null restores the system clock. Returns the source it replaces
    // (null when that was the system clock).
    static Source SetSource(Source source);
};
