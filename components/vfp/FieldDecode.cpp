// Scalar field decoding: numbers as plain decimal text, dates, date-times and logicals.
#include "components/vfp/FieldDecode.h"

#include <cstdint>

#include "components/calendar/Calendar.h"
#include "components/vfp/Endian.h"

namespace vfp::decode {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimBlanksAndNuls(std::string_view raw)
{
    std::size_t begin = 0;
    std::size_t end = raw.size();
    while (begin < end && (raw[begin] == ' ' || raw[begin] == '\0'))
        ++begin;
    while (end > begin && (raw[end - 1] == ' ' || raw[end - 1] == '\0'))
        --end;
    return raw.substr(begin, end - begin);
}

constexpr int kMaxExponent = 400;  // a double's range is far inside; larger is not a number

// Writes sign, integer digits (no leading zeros) and fraction digits into out.
void writePlain(bool negative, std::string_view digits, long pointPosition, std::string& out)
{
    out.clear();
    bool allZero = true;
    for (const char c : digits)
        allZero = allZero && c == '0';
    if (negative && !allZero)
        out.push_back('-');
    const long count = static_cast<long>(digits.size());
    long firstSignificant = 0;
    while (firstSignificant < pointPosition && firstSignificant < count &&
           digits[static_cast<std::size_t>(firstSignificant)] == '0')
        ++firstSignificant;
    if (firstSignificant >= pointPosition)
        out.push_back('0');
    for (long i = firstSignificant; i < pointPosition; ++i)
        out.push_back(i < count ? digits[static_cast<std::size_t>(i)] : '0');
    if (pointPosition < count) {
        out.push_back('.');
        for (long i = pointPosition; i < 0; ++i)
            out.push_back('0');
        for (long i = pointPosition < 0 ? 0 : pointPosition; i < count; ++i)
            out.push_back(digits[static_cast<std::size_t>(i)]);
    }
}

}  // namespace

Numeric numeric(std::string_view raw, Value& out)
{
    const std::string_view text = trimBlanksAndNuls(raw);
    // FoxPro 2.x writes a blank value of a field with decimals with its point: "   .  ".
    if (text.empty() || text == ".") {
        out.kind = Value::Kind::Null;
        return Numeric::Blank;
    }
    std::size_t i = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+')
        ++i;
    // digits are gathered without the point: at most the field width (254 bytes)
    char digits[256];
    std::size_t count = 0;
    long point = -1;
    for (; i < text.size() && (isDigit(text[i]) || (text[i] == '.' && point < 0)); ++i) {
        if (text[i] == '.')
            point = static_cast<long>(count);
        else
            digits[count++] = text[i];
    }
    if (count == 0)
        return Numeric::NotANumber;
    if (point < 0)
        point = static_cast<long>(count);
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        long exponent = 0;
        const std::size_t exponentStart = i;
        for (; i < text.size() && isDigit(text[i]) && exponent <= kMaxExponent; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        if (i == exponentStart || exponent > kMaxExponent)
            return Numeric::NotANumber;
        point += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size())
        return Numeric::NotANumber;
    writePlain(negative, std::string_view(digits, count), point, out.bytes);
    out.kind = Value::Kind::Decimal;
    return Numeric::Number;
}

bool date(std::string_view raw, Value& out)
{
    bool blank = true;
    bool digitsOnly = raw.size() == 8;
    for (const char c : raw) {
        blank = blank && (c == ' ' || c == '0' || c == '\0');
        digitsOnly = digitsOnly && isDigit(c);
    }
    if (blank) {
        out.kind = Value::Kind::Null;
        return true;
    }
    if (!digitsOnly)
        return false;
    auto number = [&](std::size_t at, std::size_t n) {
        int value = 0;
        for (std::size_t k = at; k < at + n; ++k)
            value = value * 10 + (raw[k] - '0');
        return value;
    };
    const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
    if (!calendar::isValidDate(year, month, day))
        return false;
    out.kind = Value::Kind::Date;
    out.year = year;
    out.month = month;
    out.day = day;
    out.hour = out.minute = out.second = 0;
    return true;
}

bool dateTime(std::string_view raw, Value& out)
{
    constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
    bool zeros = true, spaces = true;
    for (const char c : raw) {
        zeros = zeros && c == '\0';
        spaces = spaces && c == ' ';
    }
    if (zeros || spaces) {
        out.kind = Value::Kind::Null;
        return true;
    }
    const auto day = static_cast<std::int64_t>(static_cast<std::int32_t>(endian::le32(raw.data())));
    const auto milliseconds =
        static_cast<std::int64_t>(static_cast<std::int32_t>(endian::le32(raw.data() + 4)));
    if (milliseconds < 0 || milliseconds >= kMillisecondsPerDay)
        return false;
    std::int64_t seconds = (milliseconds + 500) / 1000;
    out.hour = static_cast<int>(seconds / 3600 % 24);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    if (day == 0) {
        // a time without a date, as some writers store it
        char text[9] = {static_cast<char>('0' + out.hour / 10),
                        static_cast<char>('0' + out.hour % 10),
                        ':',
                        static_cast<char>('0' + out.minute / 10),
                        static_cast<char>('0' + out.minute % 10),
                        ':',
                        static_cast<char>('0' + out.second / 10),
                        static_cast<char>('0' + out.second % 10),
                        '\0'};
        out.kind = Value::Kind::Text;
        out.bytes.assign(text, 8);
        return true;
    }
    // 23:59:59.5 and later round into the next day
    const std::int64_t julian = day + seconds / 86400;
    if (julian < calendar::kFirstJulianDay || julian > calendar::kLastJulianDay)
        return false;
    const calendar::Civil civil = calendar::civilFromDays(julian - calendar::kJulianDayOf1970);
    out.kind = Value::Kind::DateTime;
    out.year = civil.year;
    out.month = civil.month;
    out.day = civil.day;
    return true;
}

void logical(char raw, Value& out)
{
    switch (raw) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
            out.kind = Value::Kind::Boolean;
            out.integer = 1;
            break;
        case 'F':
        case 'f':
        case 'N':
        case 'n':
            out.kind = Value::Kind::Boolean;
            out.integer = 0;
            break;
        default:
            out.kind = Value::Kind::Null;
    }
}

}  // namespace vfp::decode
