// Numbers and dates a cell holds exactly. Strict on purpose: a value that a cell cannot hold
// as it is stays text, so nothing is changed by a rounding or a calendar quirk.
#include "components/spreadsheet/CellValue.h"

#include <charconv>
#include <cmath>

#include "components/vfp/Calendar.h"

namespace spreadsheet {

namespace {

constexpr int kMaxSignificantDigits = 15;  // a double holds every 15-digit decimal exactly
// Spreadsheet programs agree on day serials from 1900-03-01 on; before it, one of them counts
// a 29 February 1900 that never was.
constexpr CellDate kFirstCommonDate{1900, 3, 1};
constexpr int kLastDateYear = 9999;
constexpr double kSecondsPerDay = 86400.0;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> exactDecimal(std::string_view text)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    int digits = 0;
    int significant = 0;
    int pendingZeros = 0;  // zeros after the last non-zero digit seen
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c))
            return std::nullopt;
        ++digits;
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
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value;  // no "-0"
}

bool isSpreadsheetDate(const CellDate& date)
{
    if (!vfp::calendar::isValidDate(date.year, date.month, date.day) || date.year > kLastDateYear)
        return false;
    if (date.hour < 0 || date.hour > 23 || date.minute < 0 || date.minute > 59 || date.second < 0 ||
        date.second > 59)
        return false;
    const auto day = [](const CellDate& d) {
        return vfp::calendar::daysFromCivil(d.year, d.month, d.day);
    };
    return day(date) >= day(kFirstCommonDate);
}

double dateSerial(const CellDate& date)
{
    constexpr std::int64_t kSerialZero = vfp::calendar::daysFromCivil(1899, 12, 30);
    const std::int64_t days =
        vfp::calendar::daysFromCivil(date.year, date.month, date.day) - kSerialZero;
    const int seconds = date.hasTime ? date.hour * 3600 + date.minute * 60 + date.second : 0;
    return double(days) + seconds / kSecondsPerDay;
}

}  // namespace spreadsheet
