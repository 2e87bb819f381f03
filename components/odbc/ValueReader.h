// Reading the values of a fetched row with SQLGetData, each into the kind of value its column's
// plan names. Long texts and binaries come in pieces and are joined.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "components/odbc/ColumnPlan.h"
#include "components/odbc/OdbcHandle.h"
#include "components/vfp/Value.h"

namespace odbc {

class ValueReader
{
public:
    // `statement` stands on a fetched row; `context` starts every message ("The view sales
    // of shop.dbc cannot be read").
    ValueReader(const Handle& statement, std::string context);

    // Reads column `column` (1-based; columns must be read in order) into out, reusing its
    // buffer: Null for SQL NULL; text as UTF-8; a date or timestamp the driver cannot make
    // into a real calendar date keeps the server's text. Throws DatabaseError "CONTEXT:
    // DIAGNOSTICS." when the driver fails.
    void read(unsigned column, Fetch fetch, vfp::Value& out);

private:
    enum class Piece : std::uint8_t {
        Value,  // the buffer holds the value
        Null,
        Gone,  // the driver had nothing more to give for the column
    };
    // A variable-length value (SQL_C_WCHAR into a UTF-16 buffer, SQL_C_BINARY into bytes),
    // read in pieces until the driver has given all of it.
    template <typename Buffer>
    Piece readPieces(unsigned column, short cType, Buffer& buffer);
    template <typename T>
    bool readFixed(unsigned column, short cType, T& value);
    void readText(unsigned column, vfp::Value::Kind kind, vfp::Value& out);
    void readDate(unsigned column, vfp::Value& out);
    void readTimestamp(unsigned column, vfp::Value& out);
    // After a date or timestamp the driver gave as Null or as no real date: the column again
    // as text, which keeps what the server holds where the driver lets a value be read twice
    // (SQLite's turns a date it cannot read into Null); else `shown`, or Null without it.
    void keepAsText(unsigned column, const std::optional<std::string>& shown, vfp::Value& out);

    const Handle& mStatement;
    std::string mContext;
    std::u16string mWide;  // reused between values
};

}  // namespace odbc
