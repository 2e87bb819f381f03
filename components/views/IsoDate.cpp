// ISO dates and date-times to day and second counts and back.
#include "components/views/IsoDate.h"

#include <array>
#include <cstdio>

#include "components/calendar/Calendar.h"

namespace views {

namespace {

constexpr int kSecondsPerDay = 86400;

int digits(std::string_view text, std::size_t at, std::size_t count, bool& ok)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            ok = false;
            return 0;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<Moment> parseMoment(std::string_view text)
{
    if (text.size() != 10 && text.size() != 19)
        return std::nullopt;
    bool ok = text[4] == '-' && text[7] == '-';
    const int year = digits(text, 0, 4, ok);
    const int month = digits(text, 5, 2, ok);
    const int day = digits(text, 8, 2, ok);
    if (!ok || !calendar::isValidDate(year, month, day))
        return std::nullopt;
    Moment moment{calendar::daysFromCivil(year, month, day), 0, text.size() == 19};
    if (moment.hasTime) {
        ok = text[10] == ' ' && text[13] == ':' && text[16] == ':';
        const int hour = digits(text, 11, 2, ok);
        const int minute = digits(text, 14, 2, ok);
        const int second = digits(text, 17, 2, ok);
        if (!ok || hour > 23 || minute > 59 || second > 59)
            return std::nullopt;
        moment.seconds = hour * 3600 + minute * 60 + second;
    }
    return moment;
}

std::optional<std::string> formatMoment(Moment moment)
{
    moment.days += moment.seconds / kSecondsPerDay;
    moment.seconds %= kSecondsPerDay;
    if (moment.seconds < 0) {
        moment.seconds += kSecondsPerDay;
        --moment.days;
    }
    // Outside FoxPro's calendar: also keeps the conversion below in range.
    if (moment.days < calendar::kFirstJulianDay - calendar::kJulianDayOf1970 ||
        moment.days > calendar::kLastJulianDay - calendar::kJulianDayOf1970)
        return std::nullopt;
    const auto civil = calendar::civilFromDays(moment.days);
    std::array<char, 48> buffer{};
    if (moment.hasTime)
        std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d %02d:%02d:%02d", civil.year,
                      civil.month, civil.day, static_cast<int>(moment.seconds / 3600),
                      static_cast<int>(moment.seconds / 60 % 60),
                      static_cast<int>(moment.seconds % 60));
    else
        std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d", civil.year, civil.month,
                      civil.day);
    return std::string(buffer.data());
}

}  // namespace views
