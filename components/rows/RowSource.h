// What a recordset reads rows from: a table of the FoxPro engine or the tables schema (the
// database component's sources), a local view (views/) or a remote view (odbc/).
#pragma once

#include <vector>

#include "components/rows/Field.h"

namespace rows {

class RowSource
{
public:
    virtual ~RowSource() = default;

    // Field names (lower case) and ADO types, in column order; values are not read here.
    virtual std::vector<Field> describe() const = 0;
    // Exact number of rows the source will yield (deleted records excluded).
    virtual long recordCount() const = 0;
    // Reads the next row into fields (as returned by describe()); false when there is none.
    // A field that cannot be read is marked so (Field::setUnreadable) and the row goes on;
    // throws DatabaseError naming the file and problem when the row itself cannot be read.
    virtual bool next(std::vector<Field>& fields) = 0;
};

}  // namespace rows
