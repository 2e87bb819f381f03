// Which values a spreadsheet cell can hold exactly: decimals that a double holds as written,
// and dates that every spreadsheet program counts alike.
#pragma once

#include <optional>
#include <string_view>

#include "components/spreadsheet/Worksheet.h"

namespace spreadsheet {

// The double of a plain decimal ([-]digits[.digits] or [-].digits) with at most 15 significant
// digits, so it holds the number exactly as written; std::nullopt for more digits or any other
// text. Negative zero gives 0.
std::optional<double> exactDecimal(std::string_view text);

// True for a real calendar day (and a time of day, when it has one) from 1900-03-01 to
// 9999-12-31, the range in which every spreadsheet program reads a date serial alike.
bool isSpreadsheetDate(const CellDate& date);

}  // namespace spreadsheet
