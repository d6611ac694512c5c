#pragma once
// Time: a time of day as hour, minute and second; all three -1 means "no time".

class String;

class Time {
public:
    int hour;   // 0-23
    int minute; // 0-59
    int second; // 0-59

    // No time: every field -1.
    Time() : hour(-1), minute(-1), second(-1) {}
    // The fields as given (not checked; see IsInvalid).
    Time(int hour, int minute, int second) : hour(hour), minute(minute), second(second) {}

    // Now from the local clock (core/Clock.h).
    static Time Now();

    // Back to no time.
    void Clear() { *this = Time(); }
    // Hour outside 0-23, or minute or second outside 0-59.
    bool IsInvalid() const;

    // The time written with the format letters (see DateAndTime.h); the date letters show no
    // date. Null or "" selects "h:ii:ssap".
    String FormatTime(const char* format = nullptr) const;

    // Reads "h:mm", "h:mm:ss", each optionally followed by "p"/"pm" (adds 12 to an hour
    // below 12) or "a"/"am" (12 becomes 0), blanks allowed before the marker. Leading
    // whitespace is skipped; what follows is ignored. Returns false, and the time cleared, when
    // no valid time is read.
    bool ParseTime(const char* text);
};
