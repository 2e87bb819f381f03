// The export run: from the ticked tables of the list to one workbook handed to the spreadsheet
// program. No windows: Form2 and the batch command call it alike.
//
//     exporting::ExportRequest request{settings, tables, spreadsheet::defaultApplicationFactory()};
//     const exporting::ExportOutcome outcome = exporting::runExport(request, progress, report);
//     if (outcome.handedOver && outcome.stopped)
//         app::showMessage(box, exporting::stoppedText(*outcome.stopped));
//     else if (outcome.handedOver)
//         app::showMessage(box, exporting::doneText(outcome.tablesIncomplete,
//         outcome.tablesTicked));
#pragma once

#include <optional>

#include "components/spreadsheet/Application.h"
#include "components/spreadsheet/Worksheet.h"
#include "modules/app/Failure.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

namespace exporting {

class ExportProgress;
class RemoteConsent;

struct ExportRequest
{
    foxpro::ConnectionSettings settings;  // the source, as Form1's controls held it at "Finish"
    foxpro::TableList tables;             // the list as it stood at "Finish": the ticked items
                                          // are exported in list order, whatever the window
                                          // does while the run goes on
    spreadsheet::ApplicationFactory createApplication;
    int rowsPerSheet = spreadsheet::kMaxRows;  // rows a sheet takes, the names row included
    // Asked before ticked remote views reach their servers; none: every such view is skipped.
    RemoteConsent* remoteConsent = nullptr;
};

// Where a run stopped: in the table of the list item `table`, after `copied` of its `rows`
// rows; rows is -1 when it stopped before the table's rows were counted (before the table
// began, or while a view's SQL ran).
struct StopPoint
{
    QString table;
    long copied = 0;
    long rows = -1;
};

struct ExportOutcome
{
    bool started = false;      // the list had items; otherwise nothing at all was done
    bool handedOver = false;   // the workbook reached the spreadsheet program
    int tablesTicked = 0;      // ticked items the run came to
    int tablesIncomplete = 0;  // of those, tables not copied in full (not opened, not read to
                               // the end, a cell refused)
    app::Failures failures;    // every failure reported, in order
    std::optional<StopPoint> stopped;  // the progress asked to stop: where the run ended
};

// Runs the export as a reporting procedure (located in Form2.PushButton5_Click): every failure
// goes to report once, as it happens, with the number of the statement that failed.
//
// What a failure leaves:
// - the source cannot be opened: no spreadsheet is started, nothing is handed over;
// - the spreadsheet application or its workbook cannot be created: nothing is handed over;
// - a table cannot be opened, or is a remote view whose server the request's RemoteConsent did
//   not allow (asked once, before the first table): its sheet is created and named but stays
//   empty;
// - a record cannot be read or a cell cannot be written: the rows before it stay, the rest of
//   the table is left out;
// in every case the run goes on with the next table, and the workbook, if any, is handed over;
// - but the workbook's file cannot be written (a full disk): the run ends there, with that one
//   report, and nothing is handed over.
// Cells cut at the spreadsheet's cell limit are reported once per table; they do not make the
// table incomplete. The progress always ends with finish() once it has started.
// When the progress asks to stop (ExportProgress::stopAsked, also asked inside a long view),
// the run ends at the next record or inside the view's SQL, copies nothing more and hands the
// workbook over with what it holds; outcome.stopped says where. Stopping is no failure.
ExportOutcome runExport(const ExportRequest& request, ExportProgress& progress,
                        app::FailureReport& report);

}  // namespace exporting
