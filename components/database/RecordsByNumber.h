// A table of a connection read by record number, as it is stored: deleted records are read too,
// and said to be. For looking into a table where the user jumps anywhere at once (the preview):
// any record is one read away. The export reads through Recordset.
//
//     database::RecordsByNumber records(connection, QStringLiteral("orders"));
//     std::vector<rows::Field> fields = records.describe();
//     const bool deleted = records.read(records.count() - 1, fields);  // the last record
#pragma once

#include <vector>

#include <QString>

#include "components/rows/Field.h"
#include "components/vfp/RecordReader.h"
#include "components/vfp/Table.h"

namespace database {

class Connection;

class RecordsByNumber
{
public:
    // Opens the table `name` of connection as Recordset::Open resolves it, reading its header
    // and no record. Throws DatabaseError when the source has no table of that name (a view
    // included) or it cannot be opened.
    RecordsByNumber(Connection& connection, const QString& name);

    // The fields as a recordset over the table gives them; read() fills such a vector.
    std::vector<rows::Field> describe() const;
    // Records stored, deleted ones included: the header's count, or fewer when the file
    // holds fewer whole records. No record is read.
    long count() const;
    // The code page the table's text is read in, and whether its header names it (else it is
    // the connection's DefaultCodePage).
    int codePage() const;
    bool codePageMarked() const;

    // Reads record n (0-based) into fields; a value that cannot be read is marked so (its
    // Field::Value throws the description the export reports). Returns true when the record
    // carries the deletion mark; its values are read all the same. Throws DatabaseError when n
    // is not below count() or the file became shorter.
    bool read(long n, std::vector<rows::Field>& fields);

private:
    vfp::Table mTable;
    vfp::RecordReader mReader;
};

}  // namespace database
