// The per-record loop of the export: the hot path, one typed write per cell and nothing more
// (no allocation, no clock read, no text built for a progress nobody can see yet).
#include "modules/export/RecordCopy.h"

#include <algorithm>
#include <string>

#include "components/database/Recordset.h"
#include "components/rows/AdoType.h"
#include "components/rows/DatabaseError.h"
#include "components/rows/KeepGoing.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/Workbook.h"
#include "modules/app/Cadence.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/YieldToWindows.h"
#include "modules/export/CellValues.h"
#include "modules/export/Excel1.h"
#include "modules/export/ExportProgress.h"
#include "modules/export/ExportStatements.h"

namespace exporting {
namespace {

struct Column
{
    QString name;
    std::string nameUtf8;
    bool binary = false;  // ADO type 205: the cell shows "{BINARY DATA}"
    int decimals = 0;     // its numbers show the decimals the field declares
    int cutCells = 0;
};

std::vector<Column> describeColumns(const database::Recordset& records)
{
    std::vector<Column> columns(records.FieldCount());
    for (int k = 0; k < int(columns.size()); ++k) {
        const rows::Field& field = records.Fields(k);
        columns[k].name = field.name();
        columns[k].nameUtf8 = field.name().toStdString();
        columns[k].binary = field.Type() == rows::adLongVarBinary;
        columns[k].decimals = field.NumericScale();
    }
    return columns;
}

}  // namespace

RecordCopy::RecordCopy(spreadsheet::Workbook& workbook, ExportProgress& progress,
                       app::Cadence& cadence, int rowsPerSheet)
    : mWorkbook(workbook),
      mProgress(progress),
      mCadence(cadence),
      mRowsPerSheet(std::max(rowsPerSheet, 2))
{}

CopyResult RecordCopy::copy(database::Recordset& records, spreadsheet::Worksheet& sheet,
                            const QString& tableName, ExportPosition at)
{
    const std::string_view binaryText{kBinaryDataText};

    CopyResult result;
    std::vector<Column> columns;
    // The statement running now, for the report; a store per statement is all it costs.
    int line = CountRecords;
    long j = 0;
    // The window was let in since the last record: a stop may have been asked meanwhile.
    bool yielded = false;
    // Shows what the copy does at record j, with j - 1 records copied, and lets the window in.
    auto show = [&](const QString& text) {
        at.recordsCopied = j - 1;
        mProgress.advance(text, at);
        app::YieldToWindows();
        yielded = true;
    };
    try {
        const long n = records.RecordCount();
        result.records = n;
        line = ReadFieldCount;
        columns = describeColumns(records);
        const int fieldCount = int(columns.size());

        auto writeNames = [&](spreadsheet::Worksheet& target) {
            for (int k = 0; k < fieldCount; ++k) {
                line = YieldBeforeName;
                if (mCadence.due()) {
                    app::YieldToWindows();
                    yielded = true;
                }
                line = WriteName;
                target.writeText(1, k + 1, columns[k].nameUtf8);
                if (columns[k].decimals > 0)
                    target.setNumberDecimals(k + 1, columns[k].decimals);
            }
        };
        writeNames(sheet);

        spreadsheet::Worksheet* target = &sheet;
        const QString baseName = QString::fromStdString(sheet.name());
        int continuation = 2;
        int row = 1;
        std::string scratch;
        for (j = 1; j <= n; ++j) {
            line = YieldBeforeRecord;
            if (records.Eof())
                throw rows::DatabaseError(fewerRecordsText(tableName, j - 1, n).toStdString());
            if (mCadence.due()) {
                line = ShowRow;
                show(rowProgressText(tableName, j, n));
            }
            if (yielded) {
                yielded = false;
                if (mProgress.stopAsked()) {
                    result.stopped = true;
                    result.copied = j - 1;
                    break;
                }
            }
            if (row == mRowsPerSheet) {
                line = AddSheet;
                spreadsheet::Worksheet& next = mWorkbook.WorksheetsAdd();
                line = NameSheet;
                next.setName(
                    continuationSheetName(baseName, continuation, mWorkbook).toStdString());
                ++continuation;
                writeNames(next);
                target = &next;
                row = 1;
            }
            ++row;
            for (int k = 0; k < fieldCount; ++k) {
                line = YieldBeforeCell;
                if (mCadence.due()) {
                    line = ShowField;
                    show(fieldProgressText(tableName, j, n, k + 1, fieldCount));
                }
                Column& column = columns[k];
                bool cut;
                if (column.binary) {
                    line = WriteBinaryCell;
                    cut = target->writeText(row, k + 1, binaryText);
                } else {
                    line = WriteCell;
                    const database::Variant* value = nullptr;
                    try {
                        value = &records.Fields(k).Value();
                    } catch (const rows::DatabaseError& error) {
                        result.unreadable.note(column.name, error.what());
                        continue;  // the cell stays empty
                    }
                    cut = writeCell(*target, row, k + 1, *value, scratch);
                }
                if (cut)
                    ++column.cutCells;
            }
            line = MoveNext;
            records.MoveNext();
        }
    } catch (const rows::Stopped&) {
        result.stopped = true;  // the move past record j was stopped inside its view
        result.copied = j;
    } catch (const spreadsheet::WorkbookLost&) {
        result.failedLine = line;
        result.failure = app::currentFailureDescription();
        result.workbookLost = true;
    } catch (...) {
        result.failedLine = line;
        result.failure = app::currentFailureDescription();
    }
    for (const Column& column : columns) {
        if (column.cutCells > 0)
            result.cuts.push_back({column.name, column.cutCells});
    }
    return result;
}

}  // namespace exporting
