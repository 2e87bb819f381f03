// export SOURCE [NAME ...] (-o FILE.xlsx | --open): the export of the windows without them. With
// no NAME every table of the catalogue is exported; a .dbf SOURCE is the one table exported.
// On a terminal a line shows where a long run is (TerminalProgress). -o writes the workbook to FILE
// (under a temporary name until it is complete); --open hands it to the spreadsheet program as
// "Finish" does. Each failure is one line on standard error; a table that fails leaves the others
// in the workbook, and the exit status says so. Remote views reach their servers only with
// --allow-remote-views; without it each is skipped with one line.
#include <algorithm>
#include <optional>
#include <stdexcept>

#include <unistd.h>

#include <QDir>

#include "components/database/Connection.h"
#include "modules/export/ExportProgress.h"
#include "modules/export/ExportRun.h"
#include "modules/export/WorkbookFile.h"
#include "modules/foxpro/Foxpro.h"
#include "programs/quorvane-export/Command.h"
#include "programs/quorvane-export/OneLineReports.h"
#include "programs/quorvane-export/RemoteViewsOption.h"
#include "programs/quorvane-export/TerminalProgress.h"

namespace cli {
namespace {

struct ExportArguments
{
    QString source;
    QStringList names;
    QString output;  // -o FILE; empty with --open
    bool open = false;
};

ExportArguments parse(const QStringList& arguments)
{
    ExportArguments parsed;
    bool optionsEnded = false;  // after "--" every argument is SOURCE or a NAME, "-o" included
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument == QLatin1String("-o")) {
            if (i + 1 == arguments.size() || !parsed.output.isEmpty())
                throw UsageError("-o takes one FILE.xlsx, once");
            parsed.output = arguments.at(++i);
        } else if (!optionsEnded && argument == QLatin1String("--open")) {
            parsed.open = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            throw UsageError("unknown option " + argument.toStdString() +
                             " (a table whose name starts with \"-\" goes after \"--\")");
        } else if (parsed.source.isEmpty()) {
            parsed.source = argument;
        } else {
            parsed.names << argument;
        }
    }
    // "-o name/" names a folder: refused before any table is read, not written as "name".
    if (parsed.output.endsWith(QLatin1Char('/')))
        throw UsageError(parsed.output.toStdString() +
                         " names a folder (it ends in \"/\"); name a file for the workbook, "
                         "such as " +
                         parsed.output.toStdString() + "tables.xlsx");
    if (parsed.source.isEmpty() || parsed.open == !parsed.output.isEmpty())
        throw UsageError("usage: quorvane-export export SOURCE [NAME ...] (-o FILE.xlsx | --open)");
    return parsed;
}

// The tables named on the command line, or every table of the catalogue, or the one table a .dbf
// SOURCE is, all ticked. A named sub-folder table ("old/orders") keeps its path for the query
// and its bare name for the sheet. Returns the catalogue's failures.
app::Failures selectTables(const ExportArguments& arguments, const SourceOptions& options,
                           foxpro::TableList& tables, app::FailureReport& report)
{
    if (std::optional<foxpro::TableItem> table = sourceTable(arguments.source)) {
        checkNoNames(arguments.source, arguments.names);
        openSource(arguments.source, options);
        table->checked = true;
        tables.push_back(*table);
        return {};
    }
    // The catalogue is listed once: for every table, or to find the sub-folder tables of bare
    // names. Otherwise the source is only opened, so one that cannot be fails in one line.
    const bool bareNames = std::any_of(
        arguments.names.begin(), arguments.names.end(),
        [&](const QString& name) { return namesSubFolderTable(arguments.source, name); });
    foxpro::TableList catalogue;
    app::Failures failures;
    if (arguments.names.isEmpty() || bareNames)
        failures = listCatalogue(arguments.source, options, catalogue, report);
    else
        openSource(arguments.source, options);
    if (arguments.names.isEmpty())
        tables = std::move(catalogue);
    for (const QString& name : arguments.names) {
        QString sheet = name.section(QLatin1Char('/'), -1);
        if (sheet.endsWith(QLatin1String(".dbf"), Qt::CaseInsensitive))
            sheet.chop(4);
        tables.push_back({sheet, namesSubFolderTable(arguments.source, name)
                                     ? tableQueryFor(catalogue, name)
                                     : name});
    }
    for (foxpro::TableItem& table : tables)
        table.checked = true;
    return arguments.names.isEmpty() ? failures : app::Failures{};
}

}  // namespace

int runExport(const QStringList& arguments, const SourceOptions& options)
{
    const ExportArguments parsed = parse(arguments);
    foxpro::TableList tables;
    TerminalProgress progress{tables, STDERR_FILENO};
    OneLineReports reports{&progress};
    const bool listedInFull = selectTables(parsed, options, tables, reports).empty();
    if (tables.empty())
        throw std::runtime_error(parsed.source.toStdString() + " holds no tables");

    const std::filesystem::path file = QDir::cleanPath(parsed.output).toStdString();
    exporting::WorkbookFile output{file};
    OptionConsent consent{options.allowRemoteViews};
    const exporting::ExportRequest request{
        settingsFor(parsed.source, options), tables,
        parsed.open ? spreadsheet::defaultApplicationFactory() : output.factory(),
        spreadsheet::kMaxRows, &consent};
    const exporting::ExportOutcome outcome = exporting::runExport(request, progress, reports);
    if (!outcome.handedOver)
        throw std::runtime_error(parsed.open ? "the workbook was not opened"
                                             : file.string() + " was not written");
    // A table that failed is no reason to lose the others: the workbook holds everything that
    // could be read, and the exit status says that something could not.
    if (!parsed.open)
        output.commit();
    if (outcome.tablesIncomplete > 0) {
        reports.report(
            {0, QString(),
             QString::fromStdString(std::to_string(outcome.tablesIncomplete) + " of " +
                                    std::to_string(outcome.tablesTicked) +
                                    " tables could not be copied in full; " +
                                    (parsed.open ? std::string("the workbook") : file.string()) +
                                    " holds everything that could be read")});
    }
    return outcome.failures.empty() && listedInFull ? kSucceeded : kWrittenWithFailures;
}

}  // namespace cli
