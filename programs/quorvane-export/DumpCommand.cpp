// dump SOURCE NAME [--csv]: the table as JSON Lines, the value of each cell as text. Line 1:
// {"fields":[{"name":...,"type":<ADO code>},...],"count":<RecordCount>}; then one array per
// record: a string per cell, null for Null and for a value that cannot be read,
// "{BINARY DATA}" for type 205. With --csv the same cells as CSV (RFC 4180, UTF-8, records
// ending in CR LF): a row of the field names, then one row per record; Null and a value that
// cannot be read are empty fields, texts are always quoted (so an empty text is "" and "0012"
// stays text), numbers, logicals and dates bare, dates and date-times in ISO 8601. A .dbf
// SOURCE is the table itself and takes no NAME. Values that cannot be read are reported once
// per field and kind on standard error, and the dump goes on; it then ends with
// kWrittenWithFailures. A remote view without --allow-remote-views is skipped: one line,
// nothing on standard output, kWrittenWithFailures.
#include <optional>
#include <string>
#include <type_traits>

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

// JSON Lines: a header object, then one array per record.
struct JsonLines
{
    static void header(const database::Recordset& records, Output& out)
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
    static void beginRecord(Output& out) { out.append('['); }
    static void separator(Output& out) { out.append(','); }
    static void null(Output& out) { out.append("null"); }
    static void cell(std::string_view text, bool, Output& out) { out.appendJsonString(text); }
    static void endRecord(Output& out) { out.append("]\n"); }
};

// CSV: the names row, then one row per record.
struct Csv
{
    static void header(const database::Recordset& records, Output& out)
    {
        for (int k = 0; k < records.FieldCount(); ++k) {
            if (k > 0)
                out.append(',');
            out.appendCsvField(records.Fields(k).name().toStdString(), true);
        }
        out.append("\r\n");
    }
    static void beginRecord(Output&) {}
    static void separator(Output& out) { out.append(','); }
    static void null(Output&) {}
    static void cell(std::string_view text, bool isText, Output& out)
    {
        out.appendCsvField(text, isText);
    }
    static void endRecord(Output& out) { out.append("\r\n"); }
};

// The text of a value in a CSV field: the cell text, but a date-time in ISO 8601's own form
// ("2013-05-03T16:46:20") rather than the spreadsheet's ("2013-05-03 16:46:20").
template <class Format>
void appendCell(const database::Variant& value, std::string& cell)
{
    database::appendText(value, cell);
    if constexpr (std::is_same_v<Format, Csv>) {
        constexpr std::size_t kDateLength = 10;  // "YYYY-MM-DD", then the time
        if (value.kind == database::Variant::Kind::DateTime && cell.size() > kDateLength)
            cell[kDateLength] = 'T';
    }
}

template <class Format>
void writeRecord(const database::Recordset& records, int fieldCount, std::string& cell,
                 exporting::UnreadableCells& unreadable, Output& out)
{
    using Kind = database::Variant::Kind;
    Format::beginRecord(out);
    for (int k = 0; k < fieldCount; ++k) {
        if (k > 0)
            Format::separator(out);
        const rows::Field& field = records.Fields(k);
        const database::Variant* read = nullptr;
        try {
            read = &field.Value();
        } catch (const rows::DatabaseError& error) {
            unreadable.note(field.name(), error.what());
            Format::null(out);
            continue;
        }
        const database::Variant& value = *read;
        if (field.Type() == rows::adLongVarBinary) {
            Format::cell(kBinaryData, true, out);
        } else if (value.isNull() || value.kind == Kind::Empty) {
            Format::null(out);
        } else {
            cell.clear();
            appendCell<Format>(value, cell);
            Format::cell(cell, value.kind == Kind::Text || value.kind == Kind::Binary, out);
        }
    }
    Format::endRecord(out);
}

// Writes every record of records in Format; returns how many there were.
template <class Format>
long writeTable(database::Recordset& records, exporting::UnreadableCells& unreadable, Output& out)
{
    Format::header(records, out);
    const int fieldCount = records.FieldCount();
    long written = 0;
    std::string cell;
    for (; !records.Eof(); records.MoveNext()) {
        writeRecord<Format>(records, fieldCount, cell, unreadable, out);
        out.flushIfFull();
        ++written;
    }
    return written;
}

}  // namespace

int runDump(const QStringList& given, const SourceOptions& options)
{
    QStringList arguments = given;
    const bool csv = arguments.removeAll(QStringLiteral("--csv")) > 0;
    const std::optional<foxpro::TableItem> table =
        arguments.isEmpty() ? std::nullopt : sourceTable(arguments.first());
    if (arguments.size() != (table ? 1 : 2)) {
        if (table)
            checkNoNames(arguments.first(), arguments.mid(1));
        throw UsageError("usage: quorvane-export dump SOURCE NAME [--csv]");
    }
    const QString& source = arguments.at(0);
    OneLineReports reports;
    QString name = table ? table->query : arguments.at(1);
    if (!table && namesSubFolderTable(source, name)) {
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
    const long count = records.RecordCount();
    exporting::UnreadableCells unreadable;
    const long written = csv ? writeTable<Csv>(records, unreadable, out)
                             : writeTable<JsonLines>(records, unreadable, out);
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
