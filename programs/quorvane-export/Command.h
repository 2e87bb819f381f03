// The commands of quorvane-export. Each command lives in its own file and is one row of the
// table in main.cpp.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>

#include <QString>
#include <QStringList>

#include "components/vfp/CodePage.h"
#include "modules/app/Failure.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

namespace database {
class Connection;
}

namespace cli {

// How a command ends, as its exit status says it.
enum ExitStatus : int {
    kSucceeded = 0,
    kFailed = 1,  // nothing was written
    kWrongArguments = 2,
    kWrittenWithFailures = 3,  // the output holds everything that could be read; each failure
                               // was one line on standard error
};

// How every command reads its SOURCE: the options given besides the command.
struct SourceOptions
{
    int codePage = vfp::kDefaultCodePage;  // tables without a code-page mark: --codepage N, else
                                           // the CodePage setting
    bool allowRemoteViews = false;         // --allow-remote-views: remote views reach servers
};

struct Command
{
    const char* name;      // first argument, e.g. "dump"
    const char* synopsis;  // arguments after the name, e.g. "SOURCE NAME"
    const char* summary;   // one line for --help
    int argumentCount;     // arguments after the name; -1: the command checks them itself
    // Runs with those arguments and SOURCE read as options say; returns the exit status.
    // Throws on failure (main prints what() as one line on standard error and exits with 1).
    int (*run)(const QStringList& arguments, const SourceOptions& options);
};

// Wrong arguments: main prints the message and the usage, and exits with 2.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

int runList(const QStringList& arguments, const SourceOptions& options);
int runDump(const QStringList& arguments, const SourceOptions& options);
int runExport(const QStringList& arguments, const SourceOptions& options);

// Takes "--codepage N" (or "--codepage=N") and "--allow-remote-views" out of arguments,
// wherever they stand; the last code page counts, and without one the CodePage setting the
// windows use (Windows-1252 when it is absent). Throws UsageError when N is missing or names no
// code page the engine reads; std::runtime_error, saying so, when no N is given and the setting
// names none.
SourceOptions takeSourceOptions(QStringList& arguments);

// True when SOURCE names a database container (ends in ".dbc", any case); otherwise it is a
// free table folder.
bool isContainerPath(const QString& source);

// The one table a SOURCE that names a free table stands for (an existing file ending in ".dbf",
// any case): the item the catalogue of its folder lists for it, its query the file name.
// Nothing for a container or a folder. Throws std::runtime_error for a SOURCE ending in ".dbf"
// that does not exist.
std::optional<foxpro::TableItem> sourceTable(const QString& source);

// The connection settings the windows would hold for SOURCE: the container kind and path
// for a .dbc, the folder kind and the table's folder for a .dbf (as the window takes one),
// otherwise the folder kind and path; the code page of options.
foxpro::ConnectionSettings settingsFor(const QString& source, const SourceOptions& options);

// The connection string the windows would build for SOURCE: the container with the
// "machine" collating sequence, or the folder with "general".
QString connectionStringFor(const QString& source);

// Opens SOURCE as options say, so that one that cannot be opened fails with the connection's
// own one-line reason (thrown) before the catalogue or the export would report it in several
// lines.
std::unique_ptr<database::Connection> openSource(const QString& source,
                                                 const SourceOptions& options);

// Opens SOURCE (throwing as openSource does) and lists its tables into tables, as the windows
// list them; the catalogue's failures go to reports and are returned.
app::Failures listCatalogue(const QString& source, const SourceOptions& options,
                            foxpro::TableList& tables, app::FailureReport& reports);

// True when NAME of SOURCE may stand for a table of a sub-folder: SOURCE is a folder and NAME a
// bare name, without "/".
bool namesSubFolderTable(const QString& source, const QString& name);

// Throws UsageError when a SOURCE that is one table (sourceTable) is given table names.
void checkNoNames(const QString& source, const QStringList& names);

// The name a query reads for a bare NAME, given the folder's catalogue: NAME itself when a
// table of the folder itself carries it (or none does), else the path of the one table of that
// name in a sub-folder ("2020/orders.dbf"), as list prints it. Throws when tables of several
// sub-folders carry it, naming them.
QString tableQueryFor(const foxpro::TableList& catalogue, const QString& name);

}  // namespace cli
