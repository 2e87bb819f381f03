// Recognising numbers, dates and booleans in cell texts. Strict on purpose: a text that is not
// exactly one of the forms stays text, so nothing is changed by a guess.
#include "components/spreadsheet/CellValue.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace spreadsheet {

namespace {

constexpr int kMaxSignificantDigits = 15;  // a double holds every 15-digit decimal exactly
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kFirstDateYear = 1900;  // spreadsheet dates start on 1900-01-01
constexpr int kLastDateYear = 9999;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

CellValue number(std::string_view text)
{
    const bool negative = text.starts_with('-');
    std::size_t i = negative ? 1 : 0;
    int digits = 0;
    int significant = 0;
    int pendingZeros = 0;  // zeros after the last non-zero digit seen
    bool point = false;
    std::int64_t whole = 0;  // the digits as an integer, while there are at most 15
    int fractionDigits = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c))
            return {};
        if (++digits <= kMaxSignificantDigits)
            whole = whole * 10 + (c - '0');
        fractionDigits += point ? 1 : 0;
        if (c == '0') {
            if (significant > 0)
                ++pendingZeros;
        } else {
            significant += pendingZeros + 1;
            pendingZeros = 0;
        }
    }
    if (digits == 0 || significant > kMaxSignificantDigits)
        return {};
    if (digits <= kMaxSignificantDigits) {
        // Both the digits and the power of ten are exact doubles, and one division rounds
        // correctly: the value from_chars would give, without its general path.
        const double value = double(whole) / kPowersOfTen[fractionDigits];
        return value == 0 ? 0.0 : negative ? -value : value;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return {};
    return value == 0 ? 0.0 : value;  // no "-0"
}

int digitsAt(std::string_view text, std::size_t pos, std::size_t count)
{
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (!isDigit(text[i]))
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

CellValue dateTime(std::string_view text)
{
    const bool hasTime = text.size() == 19;
    if (!(text.size() == 10 || hasTime) || text[4] != '-' || text[7] != '-')
        return {};
    if (hasTime && (text[10] != ' ' || text[13] != ':' || text[16] != ':'))
        return {};
    DateTimeParts parts{
        digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2), 0, 0, 0, hasTime};
    if (hasTime) {
        parts.hour = digitsAt(text, 11, 2);
        parts.minute = digitsAt(text, 14, 2);
        parts.second = digitsAt(text, 17, 2);
    }
    if (parts.year < kFirstDateYear || parts.year > kLastDateYear || parts.month < 1 ||
        parts.month > 12 || parts.day < 1 || parts.day > daysInMonth(parts.year, parts.month))
        return {};
    if (parts.hour < 0 || parts.hour > 23 || parts.minute < 0 || parts.minute > 59 ||
        parts.second < 0 || parts.second > 59)
        return {};
    return parts;
}

}  // namespace

CellValue cellValue(std::string_view text, CellKind kind)
{
    switch (kind) {
        case CellKind::Number:
            return number(text);
        case CellKind::Date:
        case CellKind::DateTime:
            return dateTime(text);
        case CellKind::Boolean:
            if (text == "True")
                return true;
            if (text == "False")
                return false;
            return {};
        case CellKind::Text:
            break;
    }
    return {};
}

}  // namespace spreadsheet
