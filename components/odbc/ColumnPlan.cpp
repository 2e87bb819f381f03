// SQL types to ADO types and fetch kinds.
#include "components/odbc/ColumnPlan.h"

#include <algorithm>

#include <sql.h>
#include <sqlext.h>

#include "components/rows/AdoType.h"

namespace odbc {

namespace {

bool isLong(std::uint64_t columnSize)
{
    return columnSize == 0 || columnSize > kLongDataBytes;
}

}  // namespace

ColumnPlan planColumn(int sqlType, std::uint64_t columnSize, int decimalDigits)
{
    switch (sqlType) {
        case SQL_CHAR:
            return {rows::adChar, Fetch::Text};
        case SQL_VARCHAR:
            return {isLong(columnSize) ? rows::adLongVarChar : rows::adVarChar, Fetch::Text};
        case SQL_LONGVARCHAR:
            return {rows::adLongVarChar, Fetch::Text};
        case SQL_WCHAR:
            return {rows::adWChar, Fetch::Text};
        case SQL_WVARCHAR:
            return {isLong(columnSize) ? rows::adLongVarWChar : rows::adVarWChar, Fetch::Text};
        case SQL_WLONGVARCHAR:
            return {rows::adLongVarWChar, Fetch::Text};
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return {rows::adNumeric, Fetch::Decimal, std::max(decimalDigits, 0)};
        case SQL_TINYINT:
        case SQL_SMALLINT:
            return {rows::adSmallInt, Fetch::Integer};
        case SQL_INTEGER:
            return {rows::adInteger, Fetch::Integer};
        case SQL_BIGINT:
            return {rows::adBigInt, Fetch::Decimal};
        case SQL_REAL:
            return {rows::adSingle, Fetch::Single};
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return {rows::adDouble, Fetch::Double};
        case SQL_BIT:
            return {rows::adBoolean, Fetch::Boolean};
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return {rows::adDBDate, Fetch::Date};
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return {rows::adDBTime, Fetch::Text};
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return {rows::adDBTimeStamp, Fetch::Timestamp};
        case SQL_BINARY:
            return {rows::adBinary, Fetch::Binary};
        case SQL_VARBINARY:
            return {isLong(columnSize) ? rows::adLongVarBinary : rows::adVarBinary, Fetch::Binary};
        case SQL_LONGVARBINARY:
            return {rows::adLongVarBinary, Fetch::Binary};
        case SQL_GUID:
            return {rows::adGUID, Fetch::Text};
        default:
            return {rows::adVarWChar, Fetch::Text};
    }
}

}  // namespace odbc
