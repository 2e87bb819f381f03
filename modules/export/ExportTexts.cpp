// The export's texts, kept together so that tests can compare them byte for byte.
#include "modules/export/ExportTexts.h"

#include <QLocale>
#include <QStringList>

#include "components/spreadsheet/Worksheet.h"
#include "modules/export/RemoteConsent.h"

namespace exporting {
namespace {

QString processing(const QString& tableName)
{
    return QStringLiteral("Processing: ") + tableName;
}

QString rowPart(long row, long rows)
{
    return QStringLiteral(", row %1 from %2").arg(row).arg(rows);
}

const QString kDoneHint =
    QStringLiteral("\r\n\r\nPlease look at the Excel tabs at the bottom for multiple tables.");

}  // namespace

QString tableProgressText(const QString& tableName)
{
    return processing(tableName);
}

QString rowProgressText(const QString& tableName, long row, long rows)
{
    return processing(tableName) + rowPart(row, rows) + QStringLiteral("...");
}

QString fieldProgressText(const QString& tableName, long row, long rows, int field, int fields)
{
    return processing(tableName) + rowPart(row, rows) +
           QStringLiteral(", field %1 from %2...").arg(field).arg(fields);
}

QString doneText(int tablesIncomplete, int tablesTicked)
{
    if (tablesIncomplete == 0)
        return QStringLiteral("Done.") + kDoneHint;
    return QStringLiteral(
               "Done, but %1 of %2 tables could not be copied in full: the error reports "
               "before this message say which and why.")
               .arg(tablesIncomplete)
               .arg(tablesTicked) +
           kDoneHint;
}

QString stoppedText(const QString& tableName, long copied, long rows)
{
    // One arg() for all: a "%2" in a table name stays as it is.
    const QString where = rows < 0
                              ? QStringLiteral("Stopped at %1 before its first row.").arg(tableName)
                              : QStringLiteral("Stopped at %1 after %2 of its %3 rows.")
                                    .arg(tableName, QString::number(copied), QString::number(rows));
    return where + QStringLiteral(" The workbook holds what was copied until then.") + kDoneHint;
}

QString closeDuringExportText()
{
    return QStringLiteral(
        "An export is running. Close Quorvane anyway? The workbook is not opened; press Stop "
        "instead to open it with what was copied until now.");
}

QString cutCellsText(const QString& tableName, const std::vector<CutField>& fields)
{
    QStringList parts;
    for (const CutField& cut : fields) {
        parts << QString::number(cut.cells) +
                     (cut.cells == 1 ? QStringLiteral(" cell") : QStringLiteral(" cells")) +
                     QStringLiteral(" of field ") + cut.field;
    }
    return QStringLiteral("Table ") + tableName + QStringLiteral(": text longer than ") +
           QLocale(QLocale::English).toString(spreadsheet::kMaxCellTextLength) +
           QStringLiteral(
               " characters, the most a spreadsheet cell can hold, was cut to that "
               "length in ") +
           parts.join(QStringLiteral(" and ")) + QStringLiteral("; the table itself is unchanged.");
}

QString unreadableCellsText(const QString& firstDescription, const QString& field, int cells)
{
    if (cells == 1)
        return firstDescription + QStringLiteral(" The cell was left empty.");
    return firstDescription + QStringLiteral(" ") + QString::number(cells) +
           QStringLiteral(" cells of field ") + field +
           QStringLiteral(" could not be read for this reason and were left empty.");
}

QString fewerRecordsText(const QString& tableName, long read, long counted)
{
    return QStringLiteral("Table ") + tableName + QStringLiteral(" ended after ") +
           QString::number(read) + QStringLiteral(" of its ") + QString::number(counted) +
           QStringLiteral(
               " records: records were deleted while it was read. The sheet holds the records "
               "read; export it again for the table as it is now.");
}

QString remoteServersList(const std::vector<RemoteServerUse>& servers)
{
    QString text;
    for (const RemoteServerUse& use : servers) {
        text += QStringLiteral("\r\n") + use.server + QStringLiteral("\r\n    for ") +
                use.views.join(QStringLiteral(", ")) + QStringLiteral("\r\n");
    }
    return text;
}

QString remoteServersQuestion(const std::vector<RemoteServerUse>& servers)
{
    return QStringLiteral(
               "Some of the ticked views read their rows from database servers. Quorvane "
               "connects to them only if you allow it, sending exactly this (passwords shown as "
               "***):\r\n") +
           remoteServersList(servers) +
           QStringLiteral(
               "\r\nConnect to these servers for this export? \"No\" skips these views "
               "and copies the other tables.");
}

QString remoteViewSkippedText(const QString& view, const QString& server, const QString& reason)
{
    return QStringLiteral("The view ") + view +
           QStringLiteral(" was skipped: it reads from the server ") + server +
           QStringLiteral(", and ") + reason + QStringLiteral(".");
}

QString answeredNoReason()
{
    return QStringLiteral("you chose not to connect to it");
}

QString noConsentReason()
{
    return QStringLiteral("connecting to it was not allowed");
}

QString noApplicationText()
{
    return QStringLiteral("No spreadsheet application could be created; nothing was exported.");
}

}  // namespace exporting
