// What the export writes into a cell for a field's value: the value as what it is.
#pragma once

#include <string>

#include "components/database/Variant.h"
#include "components/spreadsheet/Worksheet.h"

namespace exporting {

// defaultValue when value is Null, otherwise value itself.
inline const database::Variant& NullToDefault(const database::Variant& value,
                                              const database::Variant& defaultValue)
{
    return value.isNull() ? defaultValue : value;
}

// Writes value into the cell at (row, column) of sheet as the kind of value it is: text as
// text; a double as the very same double; integers, currency and decimals (N, F) as numbers
// while they have at most 15 significant digits, else as text with every digit; dates and
// date-times as dates; logicals as booleans; bytes as hexadecimal text. Null and Empty write
// no cell. scratch is a buffer the caller reuses from cell to cell. Returns true when a text
// was cut at the cell's limit. Throws what the sheet throws.
bool writeCell(spreadsheet::Worksheet& sheet, int row, int column, const database::Variant& value,
               std::string& scratch);

}  // namespace exporting
