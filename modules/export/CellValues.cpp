// The cell kind each ADO type is written as.
#include "modules/export/CellValues.h"

#include "components/rows/AdoType.h"

namespace exporting {

spreadsheet::CellKind cellKindFor(int adoType)
{
    using spreadsheet::CellKind;
    switch (adoType) {
        case database::adSmallInt:
        case database::adInteger:
        case database::adBigInt:
        case database::adSingle:
        case database::adDouble:
        case database::adCurrency:
        case database::adDecimal:
        case database::adNumeric:
            return CellKind::Number;
        case database::adDBDate:
            return CellKind::Date;
        case database::adDate:  // an OLE date carries the time of day as well
        case database::adDBTimeStamp:
            return CellKind::DateTime;
        case database::adBoolean:
            return CellKind::Boolean;
        default:
            return CellKind::Text;
    }
}

}  // namespace exporting
