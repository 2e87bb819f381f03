// Proleptic Gregorian dates and the Julian Day Numbers that FoxPro date-times store
// (2000-01-01 is day 2,451,545).
#pragma once

#include <cstdint>

namespace calendar {

constexpr std::int64_t kJulianDayOf1970 = 2440588;  // 1970-01-01
constexpr std::int64_t kFirstJulianDay = 1721426;   // 0001-01-01, FoxPro's first date
constexpr std::int64_t kLastJulianDay = 5373484;    // 9999-12-31, FoxPro's last date

// Days since 1970-01-01 (after H. Hinnant's days_from_civil).
constexpr std::int64_t daysFromCivil(int year, int month, int day)
{
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil
{
    int year;
    int month;
    int day;
};

constexpr Civil civilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

constexpr bool isValidDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

constexpr std::int64_t julianDay(int year, int month, int day)
{
    return daysFromCivil(year, month, day) + kJulianDayOf1970;
}

}  // namespace calendar
