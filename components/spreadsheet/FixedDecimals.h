// Numbers shown with a fixed count of decimals, as a column whose field declares decimals shows
// them: the number format that shows them, and how wide what it shows is (for column widths).
#pragma once

#include <string>

namespace spreadsheet {

// The number format for `decimals` (1 to kMaxShownDecimals) decimals: "0.00" for 2.
std::string fixedDecimalsCode(int decimals);

// The characters `value` (finite) shows with `decimals` (1 to kMaxShownDecimals) decimals, as
// to_chars writes it: 6 for -47.9 with 2 ("-47.90"), 5 for 9.999 with 2 ("10.00"). Counted
// without writing the text: every cell with decimals asks.
int fixedDecimalsWidth(double value, int decimals);

}  // namespace spreadsheet
