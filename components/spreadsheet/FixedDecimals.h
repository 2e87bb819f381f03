// Numbers shown with a fixed count of decimals, as a column whose field declares decimals shows
// them: the number format that shows them, and how wide what it shows is (for column widths).
#pragma once

#include <string>
#include <string_view>

namespace spreadsheet {

// The number format for `decimals` (1 to kMaxShownDecimals) decimals: "0.00" for 2.
std::string fixedDecimalsCode(int decimals);

// The characters `value` (finite) shows with `decimals` (1 to kMaxShownDecimals) decimals:
// 6 for -47.9 with 2 ("-47.90"), 5 for 9.999 with 2 ("10.00").
int fixedDecimalsWidth(double value, int decimals);

// The same for a plain decimal text ([-]digits[.digits] or [-].digits, as exactDecimal takes
// it) whose value is `value`: counted from the text alone when no decimal is rounded away.
int fixedDecimalsWidth(std::string_view digits, double value, int decimals);

}  // namespace spreadsheet
