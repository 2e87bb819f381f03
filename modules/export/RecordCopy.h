// Copies the records of an open recordset into a sheet: the field names in row 1, then one row
// per record, one cell per field, numbers showing the decimals their field declares. A table with
// more records than a sheet holds goes on in further sheets named after the first ("orders (2)",
// "orders (3)" ...), each with its own row of field names, so no record is lost.
#pragma once

#include <vector>

#include <QString>

#include "modules/export/ExportProgress.h"
#include "modules/export/ExportTexts.h"
#include "modules/export/UnreadableCells.h"

namespace database {
class Recordset;
}
namespace spreadsheet {
class Workbook;
class Worksheet;
}  // namespace spreadsheet

namespace app {
class Cadence;
}

namespace exporting {

struct CopyResult
{
    int failedLine = 0;          // statement that failed (0: every record was written)
    QString failure;             // the failure's description
    std::vector<CutField> cuts;  // fields with cells cut at the spreadsheet's cell limit
    UnreadableCells unreadable;  // cells left empty because their values could not be read
    bool workbookLost = false;   // the failure was the workbook's file: nothing more can be written
    long records = 0;            // the records the table counted
    bool stopped = false;        // the copy stopped on request after `copied` records
    long copied = 0;
};

class RecordCopy
{
public:
    // rowsPerSheet: rows a sheet takes, the names row included (at least 2).
    RecordCopy(spreadsheet::Workbook& workbook, ExportProgress& progress, app::Cadence& cadence,
               int rowsPerSheet);

    // Writes every record of records, which stands on its first record, into sheet and the
    // continuation sheets it needs. tableName and the table's place in the list (`at`, its
    // records copied counted here) are what the progress shows.
    // A value that cannot be read leaves its cell empty and is counted; the copy goes on with
    // the next field and record. Stops at the first other failure (moving to a record, writing
    // a cell, adding a sheet) and returns it with its statement number; the rows written
    // before it stay. Stops before the next record once the progress asks to (asked after
    // each time the window was let in, about every 15 ms) or the recordset's view was stopped;
    // that is no failure.
    CopyResult copy(database::Recordset& records, spreadsheet::Worksheet& sheet,
                    const QString& tableName, ExportPosition at);

private:
    spreadsheet::Workbook& mWorkbook;
    ExportProgress& mProgress;
    app::Cadence& mCadence;
    int mRowsPerSheet;
};

}  // namespace exporting
