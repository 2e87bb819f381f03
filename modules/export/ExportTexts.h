// Every text the export shows: progress texts, the closing message and its own reports.
#pragma once

#include <vector>

#include <QString>

namespace exporting {

// The progress bar's text when no export runs.
inline constexpr char kProgressIdleText[] = "Progress Bar";

// The caption of the button that starts an export, and stops it while it runs.
inline constexpr char kFinishButtonText[] = "Finish";
inline constexpr char kStopButtonText[] = "Stop";

// What a cell of a long binary field (ADO type 205) shows, whatever its value.
inline constexpr char kBinaryDataText[] = "{BINARY DATA}";

// "Processing: NAME"
QString tableProgressText(const QString& tableName);
// "Processing: NAME, row J from N..."
QString rowProgressText(const QString& tableName, long row, long rows);
// "Processing: NAME, row J from N, field K from F..."
QString fieldProgressText(const QString& tableName, long row, long rows, int field, int fields);

// The closing message after a hand-over: "Done." and the hint about the sheet tabs; when some
// ticked tables could not be copied in full it says so instead of a plain "Done.".
QString doneText(int tablesIncomplete, int tablesTicked);

struct CutField
{
    QString field;
    int cells = 0;
};
// The closing message after a run stopped on request, in place of "Done.": the table it
// stopped at, how many of its rows were copied (rows -1: not yet counted), and that the
// workbook holds what was copied until then.
QString stoppedText(const QString& tableName, long copied, long rows);

// The question when the window is closed while an export runs (No keeps it running).
QString closeDuringExportText();

// The report for a table whose cells were cut at the spreadsheet's cell limit, naming each
// field and how many of its cells were cut.
QString cutCellsText(const QString& tableName, const std::vector<CutField>& fields);

// The report for cells of one field whose values could not be read, all for the same reason:
// the first one's description (it names the record and field), and how many there were; the
// cells were left empty.
QString unreadableCellsText(const QString& firstDescription, const QString& field, int cells);

// The failure when a table yields fewer records than it counted when it was opened (records
// deleted while it was read).
QString fewerRecordsText(const QString& tableName, long read, long counted);

struct RemoteServerUse;
// The question before remote views reach their servers: each server as it would be sent, with
// the views that read from it (remoteServersList), and what "No" does.
QString remoteServersQuestion(const std::vector<RemoteServerUse>& servers);
QString remoteServersList(const std::vector<RemoteServerUse>& servers);
// The report of a remote view skipped because its server was not allowed; reason is
// RemoteConsent::notAllowedReason().
QString remoteViewSkippedText(const QString& view, const QString& server, const QString& reason);
// The reasons: the user answered "No"; nothing asked at all (no consent was given to the run).
QString answeredNoReason();
QString noConsentReason();

// The failure when the application factory hands back no application at all.
QString noApplicationText();

}  // namespace exporting
