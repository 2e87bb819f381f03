// What each column of a server's result becomes: the ADO type the recordset reports (the code
// the OLE DB provider for ODBC gives that SQL type) and how its values are fetched.
#pragma once

#include <cstdint>

namespace odbc {

// How a column's values are read with SQLGetData and what kind of value they become.
enum class Fetch : std::uint8_t {
    Text,       // as UTF-16 (SQL_C_WCHAR), kept as text
    Binary,     // as bytes (SQL_C_BINARY)
    Decimal,    // as text, kept as a decimal number: exact, whatever its size
    Integer,    // as a 64-bit integer
    Single,     // as a 4-byte float, kept as its shortest decimal text
    Double,     // as an 8-byte double
    Boolean,    // as a bit
    Date,       // as a date
    Timestamp,  // as a date and time, rounded to whole seconds
};

struct ColumnPlan
{
    int adoType;
    Fetch fetch;
    int numericScale = 0;  // the decimals its numbers are shown with

    bool operator==(const ColumnPlan&) const = default;
};

// Text and binary columns wider than this, or of no stated width (size 0: "max"), are long
// data (ADO's long types), as the OLE DB provider for ODBC counts them.
constexpr std::uint64_t kLongDataBytes = 8000;

// The plan for a column of ODBC SQL type `sqlType` (SQLDescribeCol's DataType), column size
// `columnSize` and decimal digits `decimalDigits`. Characters and varying characters (wide or
// not) are text of their ADO type, long text 201 or 203; decimal and numeric are numbers (131)
// kept exactly, with their decimal digits (the scale; 0 when negative) as their numeric scale;
// tinyint and smallint 2, integer 3, bigint 20 (as a decimal: unsigned values keep their
// digits); real 4; float and double 5; bit 11; date 133; time 134 as the server's text;
// timestamp 135; binary 128, varbinary 204, long binary 205 (written as "{BINARY DATA}"); GUID
// 72 as text. Any other type (intervals, a server's own types) is read as text and reported
// 202. Only decimal and numeric columns have a numeric scale: the decimal digits of the others
// are no count of shown decimals (a timestamp's are those of its seconds).
ColumnPlan planColumn(int sqlType, std::uint64_t columnSize, int decimalDigits);

}  // namespace odbc
