// The export run as an outline of numbered statements: open the source, start the workbook,
// then for each ticked table query it, take a sheet, name it and copy its records; last fit
// the columns and hand the workbook over.
#include "modules/export/ExportRun.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/rows/KeepGoing.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "modules/app/Cadence.h"
#include "modules/app/ErrorReport.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/YieldToWindows.h"
#include "modules/export/Excel1.h"
#include "modules/export/ExportProgress.h"
#include "modules/export/ExportStatements.h"
#include "modules/export/ExportTexts.h"
#include "modules/export/RecordCopy.h"
#include "modules/export/RemoteConsent.h"

namespace exporting {
namespace {

using app::ReportingProcedure;

class Run
{
public:
    Run(const ExportRequest& request, ExportProgress& progress, app::FailureReport& report)
        : p(app::reportLocation("Form2", "PushButton5_Click"), report),
          mRequest(request),
          mProgress(progress)
    {
        // A view's SQL runs inside the component for as long as its data makes it: the window
        // stays live and a stop is heard there too.
        mConnection.keepGoing = [this] {
            app::YieldToWindows();
            return !mProgress.stopAsked();
        };
    }

    ExportOutcome run()
    {
        if (!p.test(ListHasItems, [&] { return !mRequest.tables.empty(); }))
            return mOutcome;
        mOutcome.started = true;
        p.step(ShowBusy, [&] { mProgress.start(); });
        if (openConnection() && askRemoteServers() && startWorkbook()) {
            for (std::size_t i = 0;
                 i < mRequest.tables.size() && !mWorkbookLost && !mOutcome.stopped; ++i)
                exportItem(int(i) + 1);
        }
        handOver();
        p.step(ShowIdle, [&] { mProgress.finish(); });
        if (p.test(CloseConnection, [&] { return mConnection.State() != 0; }))
            p.step(CloseConnection, [&] { mConnection.Close(); });
        mOutcome.failures = p.failed();
        return mOutcome;
    }

private:
    // SetMode, then OpenContainer or OpenFolder. Nothing can be read without the source, so a
    // failure ends the run's work here.
    bool openConnection()
    {
        p.step(SetMode, [&] { mConnection.Mode = database::adModeReadWrite; });
        const QString connectionString = foxpro::BuildFoxproConnectionString(mRequest.settings);
        const int line = p.test(IsContainer, [&] { return mRequest.settings.isContainer; })
                             ? OpenContainer
                             : OpenFolder;
        return p.step(line, [&] {
            mConnection.DefaultCodePage = mRequest.settings.unmarkedCodePage;
            mConnection.Open(connectionString);
        });
    }

    // AskRemoteServers: one question for the servers of all ticked remote views, before the first
    // table. Views refused for their connect string or SQL are not asked about: opening them fails
    // with the reason. Always true: a "No" skips views, not the run.
    bool askRemoteServers()
    {
        std::vector<RemoteServerUse> servers;
        p.step(AskRemoteServers, [&] {
            for (const foxpro::TableItem& item : mRequest.tables) {
                if (!item.checked)
                    continue;
                const database::RemoteUse use = mConnection.remoteUse(item.query);
                if (!use.remote || !use.refusal.empty())
                    continue;
                const QString server = QString::fromStdString(use.server);
                mSkippedViews[item.query] = server;
                auto known =
                    std::find_if(servers.begin(), servers.end(),
                                 [&](const RemoteServerUse& s) { return s.server == server; });
                if (known == servers.end())
                    known = servers.insert(servers.end(), {server, {}});
                known->views << item.text;
            }
            if (servers.empty() || !mRequest.remoteConsent ||
                !mRequest.remoteConsent->allowServers(servers))
                return;
            std::set<std::string> allowed;
            for (const RemoteServerUse& use : servers)
                allowed.insert(use.server.toStdString());
            mConnection.allowRemoteServers(std::move(allowed));
            mSkippedViews.clear();
        });
        return true;
    }

    // CreateApplication to SetFirstSheet: a new hidden application with a workbook cut down to
    // one sheet.
    bool startWorkbook()
    {
        const bool started = p.step(CreateApplication, [&] {
            mApplication = mRequest.createApplication();
            if (!mApplication)
                throw spreadsheet::SpreadsheetError(noApplicationText().toStdString());
        });
        if (!started || !p.step(AddWorkbook, [&] { mWorkbook = &mApplication->WorkbooksAdd(); }))
            return false;
        p.loop(
            HasSpareSheets, [&] { return mWorkbook->WorksheetsCount() > 1; },
            [&] {
                p.step(
                    DeleteSheet,
                    [&] { mWorkbook->Worksheets(mWorkbook->WorksheetsCount()).Delete(); },
                    ReportingProcedure::StopLoopOnFailure);
            });
        p.step(SetFirstSheet, [&] { mFirstSheet = true; });
        return true;
    }

    // The statements of the item at position i (from 1): its table onto a sheet of its own.
    void exportItem(int i)
    {
        const foxpro::TableItem& item = mRequest.tables[std::size_t(i) - 1];
        if (!item.checked)
            return;
        ++mOutcome.tablesTicked;
        TableName = item.text;
        const ExportPosition at{i, int(mRequest.tables.size())};
        p.step(ShowTable, [&] { mProgress.advance(tableProgressText(TableName), at); });
        if (mProgress.stopAsked()) {
            mOutcome.stopped = StopPoint{item.text};
            return;
        }
        const bool opened = openTable(item.query);
        if (mOutcome.stopped) {
            mOutcome.stopped->table = item.text;
            return;
        }
        spreadsheet::Worksheet* sheet = takeSheet();
        if (sheet)
            nameSheet(*sheet);
        if (!opened || !sheet) {
            ++mOutcome.tablesIncomplete;
            return;
        }
        RecordCopy copy{*mWorkbook, mProgress, mCadence, mRequest.rowsPerSheet};
        const CopyResult result = copy.copy(mRecordset, *sheet, TableName, at);
        for (const UnreadableCells::Kind& kind : result.unreadable.kinds()) {
            p.report(WriteCell, unreadableCellsText(QString::fromStdString(kind.firstDescription),
                                                    kind.field, kind.cells));
        }
        if (result.failedLine != 0)
            p.report(result.failedLine, result.failure);
        if (result.failedLine != 0 || !result.unreadable.kinds().empty())
            ++mOutcome.tablesIncomplete;
        mWorkbookLost = result.workbookLost;
        if (!result.cuts.empty())
            p.report(WriteCell, cutCellsText(TableName, result.cuts));
        if (result.stopped)
            mOutcome.stopped = StopPoint{item.text, result.copied, result.records};
    }

    // CloseRecordset, OpenRecordset. The name goes between backquotes unchanged; the recordset
    // resolves it. A view stopped while its SQL runs is no failure: the outcome says where the run
    // stopped.
    bool openTable(const QString& query)
    {
        if (p.test(CloseRecordset, [&] { return mRecordset.State() != 0; }))
            p.step(CloseRecordset, [&] { mRecordset.Close(); });
        if (const auto skipped = mSkippedViews.find(query); skipped != mSkippedViews.end()) {
            p.report(OpenRecordset,
                     remoteViewSkippedText(TableName, skipped->second,
                                           mRequest.remoteConsent
                                               ? mRequest.remoteConsent->notAllowedReason()
                                               : noConsentReason()));
            return false;
        }
        const QString text = QStringLiteral("SELECT * FROM `") + query + QLatin1Char('`');
        return p.step(OpenRecordset, [&] {
            try {
                mRecordset.Open(text, mConnection, database::adOpenStatic,
                                database::adLockReadOnly);
            } catch (const rows::Stopped&) {
                mOutcome.stopped = StopPoint{};
            }
        }) && !mOutcome.stopped;
    }

    // TakeActiveSheet or AddSheet: the workbook's one sheet for the first table, an added sheet for
    // the others.
    spreadsheet::Worksheet* takeSheet()
    {
        spreadsheet::Worksheet* sheet = nullptr;
        if (mFirstSheet) {
            p.step(TakeActiveSheet, [&] { sheet = &mWorkbook->ActiveSheet(); });
            p.step(ClearFirstSheet, [&] { mFirstSheet = false; });
        } else {
            p.step(AddSheet, [&] { sheet = &mWorkbook->WorksheetsAdd(); });
        }
        return sheet;
    }

    // CutLongName to NameSheet. A long name is cut to a stem and numbered until no other sheet
    // carries it; the number takes the stem's last characters, so two long names alike in their
    // first 30 characters still get names of their own. The comparison uses the name as the sheet
    // will carry it. A short name that another sheet already carries is numbered too; the name the
    // sheet being named carries now (its default, "Sheet1") never counts.
    void nameSheet(spreadsheet::Worksheet& sheet)
    {
        if (TableName.size() > kLongTableName) {
            QString stem;
            int j = 0;
            p.step(CutLongName, [&] { TableName = leftCharacters(TableName, kSheetNameCut); });
            p.step(TakeStem, [&] { stem = TableName; });
            p.step(StartNumbering, [&] { j = 1; });
            p.loop(
                SheetNameTaken,
                [&] { return SheetNameExists(CleanSheetName(TableName), *mWorkbook, &sheet); },
                [&] {
                    p.step(NumberName, [&] { TableName = numberedSheetName(stem, j); });
                    p.step(NextNumber, [&] { ++j; });
                });
        }
        QString name = CleanSheetName(TableName);
        // Tables of the same name in different sub-folders (or names equal but for case) get
        // numbered as the continuation sheets of a long table are: "orders (2)".
        if (p.test(SheetNameTaken, [&] { return SheetNameExists(name, *mWorkbook, &sheet); })) {
            int number = 2;
            p.step(SheetNameTaken, [&] { name = continuationSheetName(name, number, *mWorkbook); });
        }
        p.step(NameSheet, [&] { sheet.setName(name.toStdString()); });
    }

    // FitColumns, ShowWorkbook: only the active sheet is fitted; then the workbook goes to the
    // user. A workbook whose file could not be written is lost: its failure was reported once, and
    // there is nothing to fit or hand over.
    void handOver()
    {
        if (!mWorkbook || mWorkbookLost)
            return;
        p.step(FitColumns, [&] { mWorkbook->ActiveSheet().ColumnsAutoFit(); });
        mOutcome.handedOver = p.step(ShowWorkbook, [&] { mApplication->setVisible(true); });
    }

    ReportingProcedure p;
    const ExportRequest& mRequest;
    ExportProgress& mProgress;
    database::Connection mConnection;
    database::Recordset mRecordset;
    std::unique_ptr<spreadsheet::Application> mApplication;
    spreadsheet::Workbook* mWorkbook = nullptr;
    bool mFirstSheet = true;
    bool mWorkbookLost = false;
    QString TableName;
    std::map<QString, QString> mSkippedViews;  // query -> server, for views not allowed
    app::Cadence mCadence;
    ExportOutcome mOutcome;
};

}  // namespace

ExportOutcome runExport(const ExportRequest& request, ExportProgress& progress,
                        app::FailureReport& report)
{
    Run run{request, progress, report};
    return run.run();
}

}  // namespace exporting
