// What the export hands to a cell for a field: the value's text and a hint saying what kind of
// value that text shows.
#pragma once

#include "components/database/Variant.h"
#include "components/spreadsheet/Worksheet.h"

namespace exporting {

// defaultValue when value is Null, otherwise value itself.
inline const database::Variant& NullToDefault(const database::Variant& value,
                                              const database::Variant& defaultValue)
{
    return value.isNull() ? defaultValue : value;
}

// The cell kind for a field of an ADO type: numbers, dates, date-times and logicals are stored
// as such when their text has the expected form; everything else stays text.
spreadsheet::CellKind cellKindFor(int adoType);

}  // namespace exporting
