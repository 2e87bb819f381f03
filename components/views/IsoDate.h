// Dates and date-times as they travel through SQLite: "1997-01-31" and "1997-01-31 14:05:00".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace views {

struct Moment
{
    std::int64_t days = 0;     // since 1970-01-01
    std::int64_t seconds = 0;  // since midnight (may run past a day before formatMoment)
    bool hasTime = false;
};

// Reads either form; nullopt for anything else, a day that is not in the calendar included.
std::optional<Moment> parseMoment(std::string_view text);

// Writes the form `moment.hasTime` asks for, carrying seconds into days; nullopt outside the
// years 1 to 9999.
std::optional<std::string> formatMoment(Moment moment);

}  // namespace views
