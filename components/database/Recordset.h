// "ADODB.RecordSet" over one table or view, or a schema rowset: opened as ADO's static,
// read-only cursor (the only one offered), walked forward one record at a time with MoveNext,
// the current record's values in its fields and its RecordCount exact from the start.
#pragma once

#include <memory>
#include <vector>

#include <QString>

#include "components/database/Variant.h"
#include "components/rows/Field.h"

namespace rows {
class RowSource;
}

namespace database {

class Connection;

// The cursor type and lock type Open offers, the only ones: a static cursor, so RecordCount is
// exact from the start, and read-only.
constexpr int adOpenStatic = 3;
constexpr int adLockReadOnly = 1;

class Recordset
{
public:
    Recordset();
    explicit Recordset(std::unique_ptr<rows::RowSource> source);  // schema rowsets, views
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // query must be exactly "SELECT * FROM `name`" (name may itself hold a backquote or
    // brackets: the text between the first "`" after FROM and the final "`"). A container
    // resolves name among its tables and views ignoring case; a folder resolves it to a .dbf
    // in that folder ignoring case, or to a path relative to the folder (sub-folder tables,
    // "/" separators, ".dbf" optional). adOpenStatic and adLockReadOnly are the only ones offered.
    // Throws DatabaseError with a clear description (unknown table, damaged file, other SQL),
    // Stopped when the connection's keepGoing stopped a view (MoveNext too).
    // The recordset stands on the first record afterwards (EOF when there is none).
    void Open(const QString& query, Connection& connection, int cursorType = adOpenStatic,
              int lockType = adLockReadOnly);

    int State() const;         // 0 closed, 1 open
    long RecordCount() const;  // exact, deleted records excluded

    // Fields in column order (the hidden _NullFlags is never one).
    int FieldCount() const;  // Fields.count
    // Fields(k), 0-based; throws DatabaseError when out of range.
    const rows::Field& Fields(int index) const;
    // By name, ignoring case; throws DatabaseError when there is none.
    const rows::Field& Fields(const QString& name) const;

    // ADO's EOF (a macro in C, hence the spelling): true past the last record.
    bool Eof() const;
    // Moves to the next record; throws DatabaseError at EOF or on damaged data.
    void MoveNext();
    void Close();

private:
    void load();
    // Records whether the last move found a record; past the last one, values cannot be read.
    void moveTo(bool onRecord);

    std::unique_ptr<rows::RowSource> mSource;
    std::vector<rows::Field> mFields;
    long mCount = 0;
    bool mEof = true;
};

}  // namespace database
