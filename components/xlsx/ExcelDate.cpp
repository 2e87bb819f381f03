// Day counting with the engine's calendar (days since 1970-01-01 of a proleptic Gregorian
// date), shifted to the spreadsheet's epoch.
#include "components/xlsx/ExcelDate.h"

#include "components/calendar/Calendar.h"

namespace xlsx {

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;
constexpr long kLastFebruary1900 = 59;  // serial of 1900-02-28; later dates count one more day

}  // namespace

bool isValidDateTime(const DateTime& when)
{
    return when.year >= kFirstYear && when.year <= kLastYear &&
           calendar::isValidDate(when.year, when.month, when.day) && when.hour >= 0 &&
           when.hour <= 23 && when.minute >= 0 && when.minute <= 59 && when.second >= 0 &&
           when.second < 60;
}

double excelSerial(const DateTime& when)
{
    constexpr std::int64_t epoch = calendar::daysFromCivil(1899, 12, 31);
    std::int64_t days = calendar::daysFromCivil(when.year, when.month, when.day) - epoch;
    if (days > kLastFebruary1900)
        ++days;
    const double seconds =
        (when.hour * 60 * 60 + when.minute * 60 + when.second) / (24 * 60 * 60.0);
    return static_cast<double>(days) + seconds;
}

}  // namespace xlsx
