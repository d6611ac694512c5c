#include "core/Variant.h"

#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

Variant text(const char* t)
{
    Variant v;
    v.SetText(t, kNoLimit);
    return v;
}

Variant march5th2007(const Time& time)
{
    FixedClock clock(2026);
    Variant v;
    v.SetDateAndTime(DateAndTime(Date(3, 5, 2007), time));
    return v;
}

TEST(Variant, SettersSetTypeAndStorage)
{
    Variant v;
    EXPECT_EQ(Variant::kEmpty, v.Type());
    EXPECT_EQ(Variant::kStorageNone, v.Storage());
    v.SetInt8(-1);
    EXPECT_EQ(-1, v.AsInt64()); // sign-extended
    v.SetUInt8(200);
    EXPECT_EQ(200, v.AsInt64()); // zero-extended
    EXPECT_EQ(-56, v.AsInt8());
    v.SetUInt32(0xFFFFFFFFu);
    EXPECT_EQ(Variant::kUInt32, v.Type());
    EXPECT_EQ(Variant::kStorageInteger, v.Storage());
    EXPECT_EQ(4294967295LL, v.AsInt64());
    EXPECT_EQ(-1, v.AsInt32());
    v.SetFloat(0.1f);
    EXPECT_EQ(Variant::kStorageReal, v.Storage());
    EXPECT_EQ(static_cast<double>(0.1f), v.AsDouble()); // rounded to single precision
    v.SetText("ab\0c", 4);
    EXPECT_EQ(Variant::kStorageText, v.Storage());
    EXPECT_EQ(4, v.AsText().Length());
    v.SetTime(Time(1, 2, 3));
    EXPECT_EQ(Variant::kStorageDateTime, v.Storage());
    EXPECT_TRUE(v.AsDate().IsInvalid());
    v.Clear();
    EXPECT_EQ(Variant::kEmpty, v.Type());
    EXPECT_TRUE(v.AsText().IsEmpty());
}

TEST(Variant, TextsConvertToIntegers)
{
    struct Case {
        const char* text;
        int type;
        int64_t stored;
    } cases[] = {
        {"  42", Variant::kUInt32, 0}, // blanks are not skipped
        {"42abc", Variant::kUInt32, 42},
        {"-1", Variant::kUInt32, 0xFFFFFFFFLL},
        {"4294967295", Variant::kUInt32, 0xFFFFFFFFLL},
        {"4294967296", Variant::kUInt32, 0},
        {"-1", Variant::kUInt32Second, 0xFFFFFFFFLL},
        {"+17", Variant::kInt32, 17},
        {"-2147483648", Variant::kInt32, INT32_MIN},
        {"x", Variant::kInt32, 0},
        {"", Variant::kInt32, 0},
        {"-", Variant::kInt32, 0},
        {"70000", Variant::kInt16, 4464},
        {"-1", Variant::kUInt16, 65535},
        {"300", Variant::kUInt8, 44},
        {"-1", Variant::kUInt8, 255},
        {"A", Variant::kInt8, 65},  // the first byte, not a number
        {"7", Variant::kInt8, '7'},
        {"", Variant::kInt8, 0},
        {"9223372036854775807", Variant::kInt64, INT64_MAX},
        {"-9223372036854775808", Variant::kInt64, INT64_MIN},
        {"-5", Variant::kUInt64, -5}, // 2^64 - 5
        {"no", Variant::kFlag, 0},
        {"yes", Variant::kFlag, 1},
    };
    for (const Case& c : cases) {
        Variant v = text(c.text);
        v.ConvertTo(c.type);
        EXPECT_EQ(c.type, v.Type()) << c.text;
        EXPECT_EQ(Variant::kStorageInteger, v.Storage()) << c.text;
        EXPECT_EQ(c.stored, v.AsInt64()) << '"' << c.text << "\" to " << c.type;
    }
}

TEST(Variant, NumbersConvertToText)
{
    Variant v;
    v.SetInt32(-7);
    v.ConvertTo(Variant::kText);
    EXPECT_EQ(Variant::kText, v.Type());
    EXPECT_STREQ("-7", v.AsText().CStr());

    struct Case {
        double x;
        const char* expected;
    } reals[] = {{1.25, "1.25"}, {2.5, "2.5"}, {3.0, "3"}, {-0.125, "-0.125"}, {100, "100"}};
    for (const Case& c : reals) {
        v.SetDouble(c.x);
        v.ConvertTo(Variant::kText);
        EXPECT_STREQ(c.expected, v.AsText().CStr()) << c.x;
    }
    v.SetFloat(0.1f);
    EXPECT_STREQ("0.1", v.AsText().CStr());
    v.SetUInt64(UINT64_MAX);
    EXPECT_STREQ("18446744073709551615", v.AsText().CStr());
    EXPECT_EQ(18446744073709551615.0, v.AsDouble());
    v.SetUInt32(0xFFFFFFFFu);
    EXPECT_STREQ("4294967295", v.AsText().CStr());
    v.SetFlag(true);
    EXPECT_STREQ("1", v.AsText().CStr());
}

TEST(Variant, RealsAndIntegersBetweenEachOther)
{
    Variant v;
    struct Case {
        double x;
        int32_t asInt32;
        int64_t asInt64;
    } cases[] = {
        {2.9, 2, 2},
        {-2.9, -2, -2},
        {1e300, -1, INT64_MAX}, // saturated at 64 bits, then cut
        {-1e300, 0, INT64_MIN},
        {NAN, 0, 0},
    };
    for (const Case& c : cases) {
        v.SetDouble(c.x);
        EXPECT_EQ(c.asInt32, v.AsInt32()) << c.x;
        EXPECT_EQ(c.asInt64, v.AsInt64()) << c.x;
    }
    v.SetInt16(-300);
    v.ConvertTo(Variant::kDouble);
    EXPECT_EQ(-300.0, v.AsDouble());
    v.SetInt32(300);
    EXPECT_EQ(44, v.AsInt8());
    EXPECT_EQ(300.0f, v.AsFloat());
}

TEST(Variant, TextsConvertToReals)
{
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"2.5x", 2.5}, {"-0.5", -0.5}, {"+3", 3},  {".5", 0.5}, {"7.", 7},
        {"1e5", 1},    {" 2", 0},      {"", 0},    {"abc", 0},  {"-", 0},
    };
    for (const Case& c : cases) {
        Variant v = text(c.text);
        EXPECT_EQ(c.expected, v.AsDouble()) << c.text;
        v.ConvertTo(Variant::kDouble);
        EXPECT_EQ(Variant::kDouble, v.Type());
        EXPECT_EQ(c.expected, v.AsDouble()) << c.text;
    }
    // Longer texts as the C library reads them.
    const char* const exact[] = {"0.1", "0.3", "123.456", "-0.000123", "9007199254740993", "1.7976931348623157",
                                 "3.14159265358979323846", "123456789012345678901234", "0.000000000000000000000000001",
                                 "00000.00000012345", "4503599627370495.5"};
    for (const char* t : exact)
        EXPECT_EQ(std::strtod(t, nullptr), text(t).AsDouble()) << t;
    Variant v = text("2.5");
    v.ConvertTo(Variant::kFloat);
    EXPECT_EQ(2.5, v.AsDouble());
}

TEST(Variant, Flags)
{
    const char* falseTexts[] = {"No", " false ", "0", "", " \t\r\n", "n", "F", "FALSE", "nO"};
    for (const char* t : falseTexts)
        EXPECT_FALSE(text(t).AsFlag()) << '"' << t << '"';
    const char* trueTexts[] = {"yes", "1", "00", "x", "nope", "-0", "0.0"};
    for (const char* t : trueTexts)
        EXPECT_TRUE(text(t).AsFlag()) << '"' << t << '"';

    Variant v;
    EXPECT_FALSE(v.AsFlag());
    v.SetInt64(INT64_MIN);
    EXPECT_TRUE(v.AsFlag());
    v.SetDouble(0.0);
    EXPECT_FALSE(v.AsFlag());
    v.SetDouble(-0.5);
    EXPECT_TRUE(v.AsFlag());
    v.SetFloat(-0.0f);
    EXPECT_FALSE(v.AsFlag());
}

TEST(Variant, ZeroAndFlagOfDatesAndTimes)
{
    FixedClock clock(2026);
    struct Case {
        int type;
        Date date;
        Time time;
        bool zero;
    } cases[] = {
        {Variant::kDate, Date(3, 5, 2007), Time(), false},
        {Variant::kDate, Date(2, 30, 2007), Time(), true},
        {Variant::kTime, Date(), Time(14, 7, 9), false},
        {Variant::kTime, Date(), Time(24, 0, 0), true},
        {Variant::kDateAndTime, Date(3, 5, 2007), Time(14, 7, 9), false},
        {Variant::kDateAndTime, Date(3, 5, 2007), Time(), true},
        {Variant::kDateAndTime, Date(), Time(14, 7, 9), true},
    };
    for (const Case& c : cases) {
        Variant v;
        if (c.type == Variant::kDate)
            v.SetDate(c.date);
        else if (c.type == Variant::kTime)
            v.SetTime(c.time);
        else
            v.SetDateAndTime(DateAndTime(c.date, c.time));
        EXPECT_EQ(c.zero, v.IsZero()) << c.type;
        EXPECT_EQ(!c.zero, v.AsFlag()) << c.type;
    }

    Variant v;
    EXPECT_TRUE(v.IsZero());
    v.SetText("");
    EXPECT_TRUE(v.IsZero());
    v.SetText("0");
    EXPECT_FALSE(v.IsZero());
    v.SetUInt16(0);
    EXPECT_TRUE(v.IsZero());
    v.SetDouble(0.25);
    EXPECT_FALSE(v.IsZero());
}

TEST(Variant, DatesAndTimesAsText)
{
    FixedClock clock(2026);
    EXPECT_STREQ("3/5/2007 14:07:09", march5th2007(Time(14, 7, 9)).AsText().CStr());
    EXPECT_STREQ("3/5/2007", march5th2007(Time()).AsText().CStr());
    EXPECT_STREQ("3/5/2007", march5th2007(Time(25, 0, 0)).AsText().CStr());

    Variant v;
    v.SetDateAndTime(DateAndTime(Date(), Time(9, 5, 0)));
    EXPECT_STREQ("09:05:00", v.AsText().CStr());
    v.SetDateAndTime(DateAndTime());
    EXPECT_STREQ("", v.AsText().CStr());
    v.SetDate(Date(12, 31, 1999));
    EXPECT_STREQ("12/31/1999", v.AsText().CStr());
    v.SetDate(Date(2, 29, 1900));
    EXPECT_STREQ("", v.AsText().CStr());
    v.SetTime(Time(0, 0, 0));
    EXPECT_STREQ("00:00:00", v.AsText().CStr());
    v.SetTime(Time());
    EXPECT_STREQ("", v.AsText().CStr());
}

TEST(Variant, TextsConvertToDatesAndTimes)
{
    FixedClock clock(2026);
    struct Case {
        const char* text;
        int type;
        const char* expected;
    } cases[] = {
        {"3/5/2007", Variant::kDate, "3/5/2007"},
        {"March 5th, 77", Variant::kDate, "3/5/1977"},
        {"3/5/2007 14:07:09", Variant::kDate, "3/5/2007"},
        {"3/5/07 14:07:09", Variant::kDateAndTime, "3/5/2007 14:07:09"},
        {"3/5/2007", Variant::kDateAndTime, "3/5/2007"},
        {"2:07p", Variant::kDateAndTime, "14:07:00"},
        {"2:07p", Variant::kTime, "14:07:00"},
        {"3/5/2007 14:07:09", Variant::kTime, "14:07:09"},
        {"3/5/2007", Variant::kTime, ""},
        {"garbage", Variant::kDate, ""},
        {"garbage", Variant::kDateAndTime, ""},
    };
    for (const Case& c : cases) {
        Variant v = text(c.text);
        v.ConvertTo(c.type);
        EXPECT_EQ(c.type, v.Type()) << c.text;
        EXPECT_EQ(Variant::kStorageDateTime, v.Storage()) << c.text;
        EXPECT_STREQ(c.expected, v.AsText().CStr()) << c.text << " to " << c.type;
    }
}

TEST(Variant, DayNumbersAndDates)
{
    FixedClock clock(2026);
    const int day = Date(3, 5, 2007).dayNumber;
    // Signed and unsigned 32-bit and signed 64-bit integers are day numbers.
    for (int type : {Variant::kInt32, Variant::kUInt32, Variant::kInt64}) {
        Variant v;
        v.SetInt64(day);
        v.ConvertTo(type);
        v.ConvertTo(Variant::kDate);
        EXPECT_STREQ("3/5/2007", v.AsText().CStr()) << type;
    }
    for (int type : {Variant::kInt16, Variant::kUInt64, Variant::kDouble, Variant::kUInt32Second}) {
        Variant v;
        v.SetInt64(day);
        v.ConvertTo(type);
        EXPECT_TRUE(v.AsDate().IsInvalid()) << type;
    }
    Variant big;
    big.SetInt64(INT64_C(1) << 40);
    EXPECT_TRUE(big.AsDate().IsInvalid());

    Variant v;
    v.SetDateAndTime(DateAndTime(Date(3, 5, 2007), Time(14, 7, 9)));
    EXPECT_EQ(day, v.AsInt32());
    EXPECT_EQ(day, v.AsInt64());
    EXPECT_EQ(0, v.AsInt16());
    EXPECT_EQ(0, v.AsInt8());
    EXPECT_EQ(0.0, v.AsDouble());
    EXPECT_EQ(14, v.AsTime().hour);
    v.ConvertTo(Variant::kDate);
    EXPECT_STREQ("3/5/2007", v.AsText().CStr());
    EXPECT_TRUE(v.AsTime().IsInvalid()); // the time part is dropped
    v.ConvertTo(Variant::kInt32);
    EXPECT_EQ(day, v.AsInt64());
    EXPECT_TRUE(march5th2007(Time()).AsDateAndTime().time.IsInvalid());
    v.SetInt32(day);
    EXPECT_TRUE(v.AsDateAndTime().date.IsInvalid()); // only a text or a date value gives both
}

TEST(Variant, ConvertToIgnoresItsOwnTypeAndUnknownCodes)
{
    Variant v = text("12abc");
    v.ConvertTo(Variant::kText);
    v.ConvertTo(17);
    v.ConvertTo(-1);
    EXPECT_EQ(Variant::kText, v.Type());
    EXPECT_STREQ("12abc", v.AsText().CStr());
    v.ConvertTo(Variant::kEmpty);
    EXPECT_EQ(Variant::kEmpty, v.Type());
    EXPECT_EQ(Variant::kStorageNone, v.Storage());
    EXPECT_TRUE(v.AsText().IsEmpty());

    v.SetUInt32(7);
    v.ConvertTo(Variant::kUInt32);
    EXPECT_EQ(7, v.AsInt64());
}

TEST(Variant, RegistryNumbersRoundTripThroughText)
{
    const char* numbers[] = {"0", "1", "4294967295", "2147483648"};
    for (const char* n : numbers) {
        Variant v = text(n);
        v.ConvertTo(Variant::kUInt32);
        v.ConvertTo(Variant::kText);
        EXPECT_STREQ(n, v.AsText().CStr());
    }
    Variant v = text("18446744073709551615");
    v.ConvertTo(Variant::kUInt64);
    EXPECT_EQ(UINT64_MAX, v.AsUInt64());
    v.ConvertTo(Variant::kText);
    EXPECT_STREQ("18446744073709551615", v.AsText().CStr());
}

} // namespace
