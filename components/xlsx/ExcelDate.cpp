// Day counting with the civil-calendar formula (days since 1970-01-01 of a proleptic Gregorian
// date), shifted to the spreadsheet's epoch.
#include "components/xlsx/ExcelDate.h"

namespace xlsx {

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;
constexpr long kLastFebruary1900 = 59;  // serial of 1900-02-28; later dates count one more day

bool isLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

long daysFromCivil(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const long era = year / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

bool isValidDateTime(const DateTime& when)
{
    return when.year >= kFirstYear && when.year <= kLastYear && when.month >= 1 &&
           when.month <= 12 && when.day >= 1 && when.day <= daysInMonth(when.year, when.month) &&
           when.hour >= 0 && when.hour <= 23 && when.minute >= 0 && when.minute <= 59 &&
           when.second >= 0 && when.second < 60;
}

double excelSerial(const DateTime& when)
{
    static const long epoch = daysFromCivil(1899, 12, 31);
    long days = daysFromCivil(when.year, when.month, when.day) - epoch;
    if (days > kLastFebruary1900)
        ++days;
    const double seconds =
        (when.hour * 60 * 60 + when.minute * 60 + when.second) / (24 * 60 * 60.0);
    return static_cast<double>(days) + seconds;
}

}  // namespace xlsx
