// Column widths for Columns.AutoFit, and whether content fits a column nobody sized.
#include "components/spreadsheet/ColumnWidths.h"

#include <algorithm>

#include "components/xlsx/SheetHead.h"

namespace spreadsheet {

namespace {

constexpr double kMargin = 1.0;      // proportional fonts: some characters are wider than "0"
constexpr double kMaxWidth = 254.0;  // written as 254.71; spreadsheet programs allow up to 255

}  // namespace

double ColumnWidths::fittedWidth(int characters)
{
    return std::min(kMaxWidth, characters + kMargin);
}

bool ColumnWidths::fitsDefaultWidth(int characters)
{
    return fittedWidth(characters) <= xlsx::kDefaultColumnWidth;
}

}  // namespace spreadsheet
