// Column widths for Columns.AutoFit.
#include "components/spreadsheet/ColumnWidths.h"

#include <algorithm>

namespace spreadsheet {

namespace {

constexpr double kMargin = 1.0;      // proportional fonts: some characters are wider than "0"
constexpr double kMaxWidth = 254.0;  // written as 254.71; spreadsheet programs allow up to 255

}  // namespace

double ColumnWidths::fittedWidth(int characters)
{
    return std::min(kMaxWidth, characters + kMargin);
}

}  // namespace spreadsheet
