// Each value kind to its typed cell write: text only where the value is text.
#include "modules/export/CellValues.h"

namespace exporting {

bool writeCell(spreadsheet::Worksheet& sheet, int row, int column, const database::Variant& value,
               std::string& scratch)
{
    using Kind = database::Variant::Kind;
    switch (value.kind) {
        case Kind::Empty:
        case Kind::Null:
            return false;
        case Kind::Text:
            return sheet.writeText(row, column, value.bytes);
        case Kind::Binary:
            scratch.clear();
            database::appendText(value, scratch);  // hexadecimal digits
            return sheet.writeText(row, column, scratch);
        case Kind::Double:
            sheet.writeNumber(row, column, value.real);
            return false;
        case Kind::Integer:
        case Kind::Currency:
        case Kind::Decimal:
            scratch.clear();
            database::appendText(value, scratch);  // plain decimal, no trailing zeros
            sheet.writeDecimal(row, column, scratch);
            return false;
        case Kind::Boolean:
            sheet.writeBoolean(row, column, value.integer != 0);
            return false;
        case Kind::Date:
        case Kind::DateTime:
            sheet.writeDate(row, column,
                            {value.year, value.month, value.day, value.hour, value.minute,
                             value.second, value.kind == Kind::DateTime});
            return false;
    }
    return false;
}

}  // namespace exporting
