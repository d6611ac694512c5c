#include "core/Variant.h"

#include <cmath>
#include <cstdlib>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Optional sign and decimal digits from the start of text; the value wraps at 64 bits.
int64_t parseInteger(const String& text)
{
    const char* p = text.CStr();
    int n = text.Length();
    int i = 0;
    bool negative = false;
    if (i < n && (p[i] == '+' || p[i] == '-'))
        negative = p[i++] == '-';
    uint64_t v = 0;
    for (; i < n && isDigit(p[i]); ++i)
        v = v * 10 + static_cast<uint64_t>(p[i] - '0');
    return static_cast<int64_t>(negative ? 0 - v : v);
}

// 10^k (k >= 0) in extended precision.
long double powerOfTen(int k)
{
    long double result = 1, factor = 10;
    for (; k; k >>= 1, factor *= factor) {
        if (k & 1)
            result *= factor;
    }
    return result;
}

// The double of n bytes: an optional sign, digits, an optional '.' and digits (the C library's
// strtod is not used: it would bring its whole number parsing into the engine). Exact, that
// is the nearest double, for up to 15 significant digits with a scale of at most 10^22 (one
// rounded operation on exact operands); otherwise within an ulp or so (19 significant
// digits kept, scaled in extended precision).
double decimalToDouble(const char* p, int n)
{
    int i = 0;
    bool negative = p[0] == '-';
    if (p[0] == '+' || p[0] == '-')
        ++i;
    uint64_t mantissa = 0;
    int kept = 0;
    int scale = 0; // value = mantissa x 10^scale
    bool fraction = false;
    for (; i < n; ++i) {
        if (p[i] == '.') {
            fraction = true;
            continue;
        }
        if (kept < 19 && (kept > 0 || p[i] != '0')) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(p[i] - '0');
            ++kept;
            if (fraction)
                --scale;
        } else if (kept > 0 && !fraction) {
            ++scale; // integer digit beyond the 19 kept
        } else if (fraction && kept == 0) {
            --scale; // leading zero of the fraction
        }
    }
    double x;
    if (mantissa < (1ull << 53) && scale >= -22 && scale <= 22) {
        double m = static_cast<double>(mantissa);
        double p10 = static_cast<double>(powerOfTen(scale < 0 ? -scale : scale));
        x = scale < 0 ? m / p10 : m * p10;
    } else {
        long double m = static_cast<long double>(mantissa);
        x = static_cast<double>(scale < 0 ? m / powerOfTen(-scale) : m * powerOfTen(scale));
    }
    return negative ? -x : x;
}

// Optional sign, digits, and an optional '.' followed by digits, from the start of text.
double parseReal(const String& text)
{
    const char* p = text.CStr();
    int n = text.Length();
    int i = 0;
    if (i < n && (p[i] == '+' || p[i] == '-'))
        ++i;
    int digits = 0;
    for (; i < n && isDigit(p[i]); ++i)
        ++digits;
    if (i < n && p[i] == '.') {
        int fraction = 0;
        for (int j = i + 1; j < n && isDigit(p[j]); ++j)
            ++fraction;
        if (fraction > 0)
            i += 1 + fraction;
        digits += fraction;
    }
    if (digits == 0)
        return 0.0;
    return decimalToDouble(p, i);
}

int64_t truncateReal(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 9223372036854775807.0)
        return INT64_MAX;
    if (x <= -9223372036854775808.0)
        return INT64_MIN;
    return static_cast<int64_t>(x);
}

bool isFalseWord(const String& trimmed)
{
    static const char* const words[4] = {"n", "no", "f", "false"};
    if (trimmed.IsEmpty() || trimmed.Equals("0"))
        return true;
    for (const char* w : words) {
        if (trimmed.Compare(w, false) == 0)
            return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------- setting

void Variant::Clear()
{
    type_ = kEmpty;
    storage_ = kStorageNone;
    integer_ = 0;
    real_ = 0;
    text_.Clear();
    dateTime_.Clear();
}

void Variant::setInteger(int type, int64_t value)
{
    Clear();
    type_ = type;
    storage_ = kStorageInteger;
    integer_ = value;
}

void Variant::setReal(int type, double value)
{
    Clear();
    type_ = type;
    storage_ = kStorageReal;
    real_ = value;
}

void Variant::setDateTime(int type, const Date& date, const Time& time)
{
    Clear();
    type_ = type;
    storage_ = kStorageDateTime;
    dateTime_ = DateAndTime(date, time);
}

void Variant::SetFlag(bool value) { setInteger(kFlag, value ? 1 : 0); }
void Variant::SetInt8(int8_t value) { setInteger(kInt8, value); }
void Variant::SetUInt8(uint8_t value) { setInteger(kUInt8, value); }
void Variant::SetInt16(int16_t value) { setInteger(kInt16, value); }
void Variant::SetUInt16(uint16_t value) { setInteger(kUInt16, value); }
void Variant::SetInt32(int32_t value) { setInteger(kInt32, value); }
void Variant::SetUInt32(uint32_t value) { setInteger(kUInt32, value); }
void Variant::SetUInt32Second(uint32_t value) { setInteger(kUInt32Second, value); }
void Variant::SetInt64(int64_t value) { setInteger(kInt64, value); }
void Variant::SetUInt64(uint64_t value) { setInteger(kUInt64, static_cast<int64_t>(value)); }
void Variant::SetFloat(float value) { setReal(kFloat, value); }
void Variant::SetDouble(double value) { setReal(kDouble, value); }

void Variant::SetText(const String& text)
{
    Clear();
    type_ = kText;
    storage_ = kStorageText;
    text_ = text;
}

void Variant::SetText(const char* bytes, int length)
{
    String text(bytes, length);
    SetText(text);
}

void Variant::SetDate(const Date& date) { setDateTime(kDate, date, Time()); }
void Variant::SetDateAndTime(const DateAndTime& value) { setDateTime(kDateAndTime, value.date, value.time); }
void Variant::SetTime(const Time& time) { setDateTime(kTime, Date(), time); }

// ---------------------------------------------------------------- reading numbers

int64_t Variant::readInteger() const
{
    switch (storage_) {
    case kStorageInteger:
        return integer_;
    case kStorageReal:
        return truncateReal(real_);
    case kStorageText:
        return parseInteger(text_);
    case kStorageDateTime:
        return dateTime_.date.dayNumber;
    default:
        return 0;
    }
}

int8_t Variant::AsInt8() const
{
    if (storage_ == kStorageText)
        return static_cast<int8_t>(text_.First());
    return storage_ == kStorageDateTime ? 0 : static_cast<int8_t>(readInteger());
}

uint8_t Variant::AsUInt8() const
{
    return storage_ == kStorageDateTime ? 0 : static_cast<uint8_t>(readInteger());
}

int16_t Variant::AsInt16() const
{
    return storage_ == kStorageDateTime ? 0 : static_cast<int16_t>(readInteger());
}

uint16_t Variant::AsUInt16() const
{
    return static_cast<uint16_t>(AsInt16());
}

int32_t Variant::AsInt32() const
{
    return static_cast<int32_t>(readInteger());
}

uint32_t Variant::AsUInt32() const
{
    return static_cast<uint32_t>(readInteger());
}

int64_t Variant::AsInt64() const
{
    return readInteger();
}

uint64_t Variant::AsUInt64() const
{
    return static_cast<uint64_t>(readInteger());
}

double Variant::AsDouble() const
{
    switch (storage_) {
    case kStorageInteger:
        if (type_ == kUInt64)
            return static_cast<double>(static_cast<uint64_t>(integer_));
        return static_cast<double>(integer_);
    case kStorageReal:
        return real_;
    case kStorageText:
        return parseReal(text_);
    default:
        return 0.0;
    }
}

float Variant::AsFloat() const
{
    return static_cast<float>(AsDouble());
}

// ---------------------------------------------------------------- flag, zero, text

bool Variant::AsFlag() const
{
    switch (storage_) {
    case kStorageInteger:
        return integer_ != 0;
    case kStorageReal:
        return real_ != 0.0;
    case kStorageText: {
        String trimmed(text_);
        trimmed.Trim();
        return !isFalseWord(trimmed);
    }
    case kStorageDateTime:
        return !IsZero();
    default:
        return false;
    }
}

bool Variant::IsZero() const
{
    switch (storage_) {
    case kStorageInteger:
        return integer_ == 0;
    case kStorageReal:
        return real_ == 0.0;
    case kStorageText:
        return text_.IsEmpty();
    case kStorageDateTime:
        if (type_ == kDate)
            return dateTime_.date.IsInvalid();
        if (type_ == kTime)
            return dateTime_.time.IsInvalid();
        return dateTime_.date.IsInvalid() || dateTime_.time.IsInvalid();
    default:
        return true;
    }
}

String Variant::AsText() const
{
    switch (storage_) {
    case kStorageInteger:
        if (type_ == kUInt64 && integer_ < 0) {
            uint64_t v = static_cast<uint64_t>(integer_);
            return String::FromInteger(static_cast<long long>(v / 10)) +
                   static_cast<char>('0' + v % 10);
        }
        return String::FromInteger(integer_);
    case kStorageReal:
        return String::FromDouble(real_, -1);
    case kStorageText:
        return text_;
    case kStorageDateTime: {
        bool date = type_ != kTime && !dateTime_.date.IsInvalid();
        bool time = type_ != kDate && !dateTime_.time.IsInvalid();
        if (date && time)
            return dateTime_.FormatDateAndTime("m/d/yy HH:ii:ss");
        if (date)
            return dateTime_.date.FormatDate("m/d/yy");
        if (time)
            return dateTime_.time.FormatTime("HH:ii:ss");
        return String();
    }
    default:
        return String();
    }
}

// ---------------------------------------------------------------- dates

Date Variant::AsDate() const
{
    switch (storage_) {
    case kStorageText: {
        Date d;
        d.ParseDate(text_.CStr(), false);
        return d;
    }
    case kStorageDateTime:
        return dateTime_.date;
    case kStorageInteger:
        if ((type_ == kInt32 || type_ == kUInt32 || type_ == kInt64) && integer_ >= INT32_MIN &&
            integer_ <= INT32_MAX)
            return Date::FromDayNumber(static_cast<int>(integer_));
        return Date();
    default:
        return Date();
    }
}

DateAndTime Variant::AsDateAndTime() const
{
    if (storage_ == kStorageDateTime)
        return dateTime_;
    DateAndTime value;
    if (storage_ == kStorageText)
        value.ParseDateAndTime(text_.CStr());
    return value;
}

Time Variant::AsTime() const
{
    return AsDateAndTime().time;
}

// ---------------------------------------------------------------- conversion

void Variant::ConvertTo(int type)
{
    if (type == type_ || type < 0 || type >= kTypeCount)
        return;
    switch (type) {
    case kEmpty: Clear(); break;
    case kFlag: SetFlag(AsFlag()); break;
    case kInt8: SetInt8(AsInt8()); break;
    case kUInt8: SetUInt8(AsUInt8()); break;
    case kInt16: SetInt16(AsInt16()); break;
    case kUInt16: SetUInt16(AsUInt16()); break;
    case kInt32: SetInt32(AsInt32()); break;
    case kUInt32: SetUInt32(AsUInt32()); break;
    case kUInt32Second: SetUInt32Second(AsUInt32()); break;
    case kInt64: SetInt64(AsInt64()); break;
    case kUInt64: SetUInt64(AsUInt64()); break;
    case kFloat: SetFloat(AsFloat()); break;
    case kDouble: SetDouble(AsDouble()); break;
    case kText: SetText(AsText()); break;
    case kDate: SetDate(AsDate()); break;
    case kDateAndTime: SetDateAndTime(AsDateAndTime()); break;
    case kTime: SetTime(AsTime()); break;
    default: break;
    }
}
