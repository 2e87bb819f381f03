// Numbers and dates a cell holds exactly. Strict on purpose: a value that a cell cannot hold
// as it is stays text, so nothing is changed by a rounding or a calendar quirk.
#include "components/spreadsheet/CellValue.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "components/calendar/Calendar.h"

namespace spreadsheet {

namespace {

constexpr int kMaxSignificantDigits = 15;  // a double holds every 15-digit decimal exactly
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// Spreadsheet programs agree on day serials from 1900-03-01 on; before it, one of them counts
// a 29 February 1900 that never was.
constexpr CellDate kFirstCommonDate{1900, 3, 1};
constexpr int kLastDateYear = 9999;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> exactDecimal(std::string_view text)
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
            return std::nullopt;
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
        return std::nullopt;
    if (digits <= kMaxSignificantDigits) {
        // Both the digits and the power of ten are exact doubles, and one division rounds
        // correctly: the value from_chars would give, without its general path.
        const double value = double(whole) / kPowersOfTen[fractionDigits];
        return value == 0 ? 0.0 : negative ? -value : value;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value;  // no "-0"
}

bool isSpreadsheetDate(const CellDate& date)
{
    if (!calendar::isValidDate(date.year, date.month, date.day) || date.year > kLastDateYear)
        return false;
    if (date.hour < 0 || date.hour > 23 || date.minute < 0 || date.minute > 59 || date.second < 0 ||
        date.second > 59)
        return false;
    const auto day = [](const CellDate& d) {
        return calendar::daysFromCivil(d.year, d.month, d.day);
    };
    return day(date) >= day(kFirstCommonDate);
}

}  // namespace spreadsheet
