#pragma once
// Variant: one value that holds nothing, an integer of some width, a real number, a text, a
// date, a date and time, or a time, and converts between them.
//
// Each type keeps its value in one of four storages: integers (always as signed 64-bit,
// narrower values sign- or zero-extended as their type says), reals (double; single precision
// rounded first), texts, and a DateAndTime. The readers convert from whatever is stored and
// never fail: a value that cannot be converted reads as zero, empty, or no date / no time.

#include "core/DateAndTime.h"
#include "core/String.h"

#include <cstdint>

class Variant {
public:
    // Type codes.
    static constexpr int kEmpty = 0;
    static constexpr int kFlag = 1;
    static constexpr int kInt8 = 2;
    static constexpr int kUInt8 = 3;
    static constexpr int kInt16 = 4;
    static constexpr int kUInt16 = 5;
    static constexpr int kInt32 = 6;
    static constexpr int kUInt32 = 7;
    static constexpr int kInt64 = 8;
    static constexpr int kUInt64 = 9;
    static constexpr int kFloat = 10;
    static constexpr int kDouble = 11;
    static constexpr int kText = 12;
    static constexpr int kDate = 13;
    static constexpr int kDateAndTime = 14;
    static constexpr int kTime = 15;
    static constexpr int kUInt32Second = 16; // a second unsigned 32-bit kind, stored as kUInt32
    static constexpr int kTypeCount = 17;

    // Storage codes.
    static constexpr int kStorageNone = 0;
    static constexpr int kStorageInteger = 1;
    static constexpr int kStorageReal = 2;
    static constexpr int kStorageText = 3;
    static constexpr int kStorageDateTime = 4;

    // Empty.
    Variant() : type_(kEmpty), storage_(kStorageNone), integer_(0), real_(0) {}

    int Type() const { return type_; }
    int Storage() const { return storage_; }

    // ---------------------------------------------------------------- setting
    // Each setter sets type and storage together and releases a text held before.
    void Clear();
    void SetFlag(bool value);
    void SetInt8(int8_t value);
    void SetUInt8(uint8_t value);
    void SetInt16(int16_t value);
    void SetUInt16(uint16_t value);
    void SetInt32(int32_t value);
    void SetUInt32(uint32_t value);
    void SetUInt32Second(uint32_t value);
    void SetInt64(int64_t value);
    void SetUInt64(uint64_t value);
    void SetFloat(float value);
    void SetDouble(double value);
    void SetText(const String& text);
    // length bytes (NULs included); kNoLimit measures a NUL-terminated text.
    void SetText(const char* bytes, int length);
    // The time part becomes no time.
    void SetDate(const Date& date);
    void SetDateAndTime(const DateAndTime& value);
    // The date part becomes no date.
    void SetTime(const Time& time);

    // ---------------------------------------------------------------- reading
    // Integers: a stored integer cut to the width; a real truncated toward zero (limited to
    // the width's range, not-a-number reads 0); a text parsed as an optional sign and decimal
    // digits, without skipping blanks (no digit: 0; the value wraps to the width); a date or
    // time gives its day number to AsInt32 / AsUInt32 / AsInt64 / AsUInt64 and 0 to the
    // narrower readers; empty gives 0. AsInt8 of a text is its first byte instead (0 when
    // the text is empty).
    int8_t AsInt8() const;
    uint8_t AsUInt8() const;
    int16_t AsInt16() const;
    uint16_t AsUInt16() const;
    int32_t AsInt32() const;
    uint32_t AsUInt32() const;
    int64_t AsInt64() const;
    uint64_t AsUInt64() const;
    // Integers and reals give their number; a text an optional sign, digits and an optional
    // '.' with digits (no blanks skipped, no exponent); anything else 0.
    double AsDouble() const;
    float AsFloat() const;
    // Integer != 0, real != 0; a text is false when, trimmed of whitespace, it is empty, "0",
    // or (ignoring case) "n", "no", "f", "false"; a date, date and time or time is true when
    // each of its parts is valid; empty is false.
    bool AsFlag() const;
    // Integer 0, real 0.0, empty text, a date or time with an invalid part, or empty.
    bool IsZero() const;
    // Integers in decimal; reals with up to six decimals and no trailing zeros ("2.5", "3");
    // a date "m/d/yy", a time "HH:ii:ss", a date and time "m/d/yy HH:ii:ss" (each part only
    // when it is valid); empty gives "".
    String AsText() const;
    // A text parsed as a date (month first); the date part of a date or time value; a signed
    // or unsigned 32-bit or a signed 64-bit integer as a day number; else no date.
    Date AsDate() const;
    // A text parsed as date and time; a date or time value as it is; else neither.
    DateAndTime AsDateAndTime() const;
    // The time part of AsDateAndTime.
    Time AsTime() const;

    // Replaces the value by its conversion to type (the reader of that type's kind, then its
    // setter); kEmpty clears. Nothing happens when the value already has that type or the
    // code is outside 0-16.
    void ConvertTo(int type);

private:
    void setInteger(int type, int64_t value);
    void setReal(int type, double value);
    void setDateTime(int type, const Date& date, const Time& time);
    // The value as a 64-bit integer before it is cut to a width: the integer, the real
    // truncated (saturated at the 64-bit range), the text parsed, the day number, or 0.
    int64_t readInteger() const;

    int type_;
    int storage_;
    int64_t integer_;
    double real_;
    String text_;
    DateAndTime dateTime_;
};
