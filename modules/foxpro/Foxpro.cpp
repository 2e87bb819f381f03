// The table catalogue (schema walk or folder walk) and the connection test.
#include "modules/foxpro/Foxpro.h"

#include <memory>
#include <stdexcept>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/files/FileName.h"
#include "modules/app/ErrorReport.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/foxpro/SchemaRows.h"
#include "modules/fs/AddFolder.h"

namespace foxpro {
namespace {

// The statements of AddTablesToFoxproListbox, numbered as its error report quotes them.
enum Line : int {
    CreateConnection = 100,
    OpenConnection = 102,
    CreateRecordset = 104,
    ClearList = 106,
    IsContainer = 108,
    OpenSchema = 110,
    ClearListAgain = 112,
    WalkSchema = 114,
    CloseRecordset = 128,
    ReleaseRecordset = 130,
    CloseConnection = 132,
    ReleaseConnection = 134,
    StartFolderList = 136,
    WalkFolders = 138,
    ListFiles = 144,
    AddFileItem = 154,
};

// A statement that uses an object whose creation failed fails too, as with an object
// variable that was never set.
constexpr char kObjectNotSet[] = "Object variable or With block variable not set";

template <class T>
T& object(const std::unique_ptr<T>& pointer)
{
    if (!pointer)
        throw std::runtime_error(kObjectNotSet);
    return *pointer;
}

void addSchemaTables(app::ReportingProcedure& p, TableList& list,
                     std::unique_ptr<database::Connection>& connection,
                     std::unique_ptr<database::Recordset>& recordset)
{
    // A failed request leaves the recordset created before in its place (closed, at its end).
    p.step(OpenSchema,
           [&] { recordset = object(connection).OpenSchema(database::adSchemaTables); });
    p.step(ClearListAgain, [&] { list.clear(); });
    if (recordset)
        addSchemaRows(p, list, *recordset);
    else
        p.report(WalkSchema, QString::fromLatin1(kObjectNotSet));
    p.step(CloseRecordset, [&] { object(recordset).Close(); });
    p.step(ReleaseRecordset, [&] { recordset.reset(); });
    if (p.test(CloseConnection, [&] { return object(connection).State() != 0; }))
        p.step(CloseConnection, [&] { object(connection).Close(); });
    p.step(ReleaseConnection, [&] { connection.reset(); });
}

void addFolderTables(app::ReportingProcedure& p, TableList& list, const QString& folderPath,
                     app::FailureReport& report)
{
    const QString start = folderPath + QLatin1Char('/');
    QStringList folders;
    // An empty path names no folder; with the separator added it would name the root and
    // send the walk through the whole file system.
    p.step(StartFolderList, [&] {
        if (!folderPath.isEmpty())
            folders.append(start);
    });
    const fs::TreeBounds tree{folders};  // a table reached through a link stays in it
    p.step(WalkFolders, [&] { fs::GetSubDirectories2016(folders, true, report); });
    for (const QString& entry : std::as_const(folders)) {
        const QString folder = entry.chopped(1);
        // Tables below the chosen folder are queried by their path from it, so each item
        // exports its own file even when another folder holds a table of the same name.
        const QString relative = entry.mid(start.size());
        fs::FileNameArray names;  // a folder that cannot be listed adds nothing
        p.step(ListFiles,
               [&] { names = fs::GetFilesInFolder(folder, QStringLiteral("*.dbf"), tree); });
        for (const QString& name : names.names()) {
            if (name.startsWith(QLatin1Char('~')))
                continue;
            // Without ".dbf", letter case kept; a byte of the name that is no UTF-8 shows as
            // U+FFFD, while the query keeps the name's own bytes.
            const QString text = files::shownFileName(name.chopped(4));
            // The query names the file exactly, extension and all, so that "a.DBF" and
            // "A.dbf" (or "x.dbf" and "x.DBF") each export their own file.
            p.step(AddFileItem, [&] { list.push_back({text, relative + name}); });
        }
    }
}

// Opens the source settings name, its tables without a mark read in settings' code page.
void openSource(database::Connection& connection, const ConnectionSettings& settings)
{
    connection.DefaultCodePage = settings.unmarkedCodePage;
    connection.Open(BuildFoxproConnectionString(settings));
}

}  // namespace

app::Failures AddTablesToFoxproListbox(TableList& list, const QString& connectionString,
                                       const ConnectionSettings& settings,
                                       app::FailureReport& report,
                                       std::unique_ptr<database::Connection> opened)
{
    app::FailureLog log{report};  // the folder walk's failures are the catalogue's too
    app::ReportingProcedure p{app::reportLocation("Foxpro", "AddTablesToFoxproListbox"), log};
    std::unique_ptr<database::Connection> connection = std::move(opened);
    std::unique_ptr<database::Recordset> recordset;
    if (!connection) {
        p.step(CreateConnection, [&] { connection = std::make_unique<database::Connection>(); });
        p.step(OpenConnection, [&] {
            object(connection).DefaultCodePage = settings.unmarkedCodePage;
            object(connection).Open(connectionString);
        });
    }
    p.step(CreateRecordset, [&] { recordset = std::make_unique<database::Recordset>(); });
    p.step(ClearList, [&] { list.clear(); });
    if (p.test(IsContainer, [&] { return settings.isContainer; }))
        addSchemaTables(p, list, connection, recordset);
    else
        addFolderTables(p, list, settings.folderPath, log);
    return log.failures();
}

std::unique_ptr<database::Connection> connectFoxpro(const ConnectionSettings& settings)
{
    auto connection = std::make_unique<database::Connection>();
    openSource(*connection, settings);
    return connection;
}

std::unique_ptr<database::Connection> openFoxproConnection(const ConnectionSettings& settings)
{
    auto connection = std::make_unique<database::Connection>();  // a failure here is thrown
    try {
        openSource(*connection, settings);
        return connection;
    } catch (...) {
        return nullptr;
    }
}

bool TestFoxproConnection(const ConnectionSettings& settings)
{
    return openFoxproConnection(settings) != nullptr;
}

}  // namespace foxpro
