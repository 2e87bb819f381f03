// SQL types to ADO types and fetch kinds.
#include "components/odbc/ColumnPlan.h"

#include <sql.h>
#include <sqlext.h>

#include "components/rows/AdoType.h"

namespace database::odbc {

namespace {

bool isLong(std::uint64_t columnSize)
{
    return columnSize == 0 || columnSize > kLongDataBytes;
}

}  // namespace

ColumnPlan planColumn(int sqlType, std::uint64_t columnSize)
{
    switch (sqlType) {
        case SQL_CHAR:
            return {adChar, Fetch::Text};
        case SQL_VARCHAR:
            return {isLong(columnSize) ? adLongVarChar : adVarChar, Fetch::Text};
        case SQL_LONGVARCHAR:
            return {adLongVarChar, Fetch::Text};
        case SQL_WCHAR:
            return {adWChar, Fetch::Text};
        case SQL_WVARCHAR:
            return {isLong(columnSize) ? adLongVarWChar : adVarWChar, Fetch::Text};
        case SQL_WLONGVARCHAR:
            return {adLongVarWChar, Fetch::Text};
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return {adNumeric, Fetch::Decimal};
        case SQL_TINYINT:
        case SQL_SMALLINT:
            return {adSmallInt, Fetch::Integer};
        case SQL_INTEGER:
            return {adInteger, Fetch::Integer};
        case SQL_BIGINT:
            return {adBigInt, Fetch::Decimal};
        case SQL_REAL:
            return {adSingle, Fetch::Single};
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return {adDouble, Fetch::Double};
        case SQL_BIT:
            return {adBoolean, Fetch::Boolean};
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return {adDBDate, Fetch::Date};
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return {adDBTime, Fetch::Text};
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return {adDBTimeStamp, Fetch::Timestamp};
        case SQL_BINARY:
            return {adBinary, Fetch::Binary};
        case SQL_VARBINARY:
            return {isLong(columnSize) ? adLongVarBinary : adVarBinary, Fetch::Binary};
        case SQL_LONGVARBINARY:
            return {adLongVarBinary, Fetch::Binary};
        case SQL_GUID:
            return {adGUID, Fetch::Text};
        default:
            return {adVarWChar, Fetch::Text};
    }
}

}  // namespace database::odbc
