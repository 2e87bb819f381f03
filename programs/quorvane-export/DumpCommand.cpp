// dump SOURCE NAME: the table as JSON Lines, the value of each cell as text. Line 1:
// {"fields":[{"name":...,"type":<ADO code>},...],"count":<RecordCount>}; then one array per
// record: a string per cell, null for Null and for a value that cannot be read,
// "{BINARY DATA}" for type 205. Values that cannot be read are reported once per field and
// kind on standard error, and the dump goes on; it then ends with kWrittenWithFailures. A
// remote view without --allow-remote-views is skipped: one line, nothing on standard output,
// kWrittenWithFailures.
#include <string>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/rows/AdoType.h"
#include "components/rows/DatabaseError.h"
#include "modules/export/ExportTexts.h"
#include "modules/export/UnreadableCells.h"
#include "programs/quorvane-export/Command.h"
#include "programs/quorvane-export/OneLineReports.h"
#include "programs/quorvane-export/Output.h"
#include "programs/quorvane-export/RemoteViewsOption.h"

namespace cli {

namespace {

// What the export writes for a long binary field, whatever its value.
constexpr std::string_view kBinaryData = "{BINARY DATA}";

void writeHeader(const database::Recordset& records, Output& out)
{
    out.append("{\"fields\":[");
    for (int k = 0; k < records.FieldCount(); ++k) {
        const rows::Field& field = records.Fields(k);
        out.append(k == 0 ? "{\"name\":" : ",{\"name\":");
        out.appendJsonString(field.name().toStdString());
        out.append(",\"type\":");
        out.append(std::to_string(field.Type()));
        out.append('}');
    }
    out.append("],\"count\":");
    out.append(std::to_string(records.RecordCount()));
    out.append("}\n");
}

void writeRecord(const database::Recordset& records, int fieldCount, std::string& cell,
                 exporting::UnreadableCells& unreadable, Output& out)
{
    out.append('[');
    for (int k = 0; k < fieldCount; ++k) {
        if (k > 0)
            out.append(',');
        const rows::Field& field = records.Fields(k);
        const database::Variant* read = nullptr;
        try {
            read = &field.Value();
        } catch (const rows::DatabaseError& error) {
            unreadable.note(field.name(), error.what());
            out.append("null");
            continue;
        }
        const database::Variant& value = *read;
        if (field.Type() == rows::adLongVarBinary) {
            out.appendJsonString(kBinaryData);
        } else if (value.isNull() || value.kind == database::Variant::Kind::Empty) {
            out.append("null");
        } else {
            cell.clear();
            database::appendText(value, cell);
            out.appendJsonString(cell);
        }
    }
    out.append("]\n");
}

}  // namespace

int runDump(const QStringList& arguments, const SourceOptions& options)
{
    const QString& source = arguments.at(0);
    OneLineReports reports;
    QString name = arguments.at(1);
    if (namesSubFolderTable(source, name)) {
        foxpro::TableList catalogue;
        listCatalogue(source, options, catalogue, reports);
        name = tableQueryFor(catalogue, name);
    }

    const std::unique_ptr<database::Connection> connection = openSource(source, options);
    if (!mayOpenRemoteView(*connection, name, options.allowRemoteViews, reports))
        return kWrittenWithFailures;
    database::Recordset records;
    records.Open(QStringLiteral("SELECT * FROM `") + name + QLatin1Char('`'), *connection,
                 database::adOpenStatic, database::adLockReadOnly);

    Output out;
    writeHeader(records, out);
    const int fieldCount = records.FieldCount();
    const long count = records.RecordCount();
    long written = 0;
    std::string cell;
    exporting::UnreadableCells unreadable;
    for (; !records.Eof(); records.MoveNext()) {
        writeRecord(records, fieldCount, cell, unreadable, out);
        out.flushIfFull();
        ++written;
    }
    out.finish();
    if (written != count)
        throw rows::DatabaseError(name.toStdString() + ": RecordCount gave " +
                                  std::to_string(count) + " records but " +
                                  std::to_string(written) + " were read.");
    for (const exporting::UnreadableCells::Kind& kind : unreadable.kinds()) {
        reports.report(
            {0, QString(),
             exporting::unreadableCellsText(QString::fromStdString(kind.firstDescription),
                                            kind.field, kind.cells)});
    }
    return unreadable.kinds().empty() ? kSucceeded : kWrittenWithFailures;
}

}  // namespace cli
