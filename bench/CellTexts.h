// Reads an open recordset to its end as the export does, every field of every row turned into
// its cell text; returns how many text bytes that made.
#pragma once

#include <cstddef>
#include <string>

#include "components/database/Recordset.h"

inline std::size_t readCellTexts(database::Recordset& records)
{
    const long count = records.RecordCount();
    std::string cell;
    std::size_t bytes = 0;
    for (long j = 0; j < count; ++j) {
        for (int k = 0; k < records.FieldCount(); ++k) {
            cell.clear();
            database::appendText(records.Fields(k).Value(), cell);
            bytes += cell.size();
        }
        records.MoveNext();
    }
    return bytes;
}
