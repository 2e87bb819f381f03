// How a cell's text is stored: as a number, a date, a boolean, or (by default) as text.
#pragma once

#include <string_view>
#include <variant>

#include "components/spreadsheet/Worksheet.h"

namespace spreadsheet {

struct DateTimeParts
{
    int year, month, day, hour, minute, second;
    bool hasTime;  // written as "YYYY-MM-DD hh:mm:ss"; else "YYYY-MM-DD"

    bool operator==(const DateTimeParts&) const = default;
};

// std::monostate: keep the text.
using CellValue = std::variant<std::monostate, double, DateTimeParts, bool>;

// The value the text stands for under the hint, when the text has exactly the expected form:
// Number: [-]digits[.digits] (or [-].digits) with at most 15 significant digits, so the double
// holds it exactly as written; Date and DateTime: "YYYY-MM-DD" or "YYYY-MM-DD hh:mm:ss", a real
// calendar day in 1900..9999 (the range spreadsheet dates cover); Boolean: "True" / "False".
// Anything else, and every text under the Text hint, gives std::monostate.
CellValue cellValue(std::string_view text, CellKind kind);

}  // namespace spreadsheet
