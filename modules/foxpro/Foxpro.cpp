// The table catalogue (schema walk or folder walk) and the connection test.
#include "modules/foxpro/Foxpro.h"

#include <memory>
#include <stdexcept>

#include "modules/app/ReportingProcedure.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "modules/foxpro/SchemaRows.h"
#include "modules/fs/AddFolder.h"

namespace foxpro {
namespace {

const QString kLocation = QStringLiteral("in Quorvane2021/08/31.Foxpro.AddTablesToFoxproListbox ");

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
    p.step(110, [&] { recordset = object(connection).OpenSchema(database::adSchemaTables); });
    p.step(112, [&] { list.clear(); });
    if (recordset)
        AddSchemaRows(p, list, *recordset);
    else
        p.report(114, QString::fromLatin1(kObjectNotSet));
    p.step(128, [&] { object(recordset).Close(); });
    p.step(130, [&] { recordset.reset(); });
    if (p.test(132, [&] { return object(connection).State() != 0; }))
        p.step(132, [&] { object(connection).Close(); });
    p.step(134, [&] { connection.reset(); });
}

void addFolderTables(app::ReportingProcedure& p, TableList& list, const QString& folderPath)
{
    const QString start = folderPath + QLatin1Char('/');
    QStringList folders;
    // An empty path names no folder; with the separator added it would name the root and
    // send the walk through the whole file system.
    p.step(136, [&] {
        if (!folderPath.isEmpty())
            folders.append(start);
    });
    p.step(138, [&] { fs::GetSubDirectories2016(folders, true); });
    for (const QString& entry : std::as_const(folders)) {
        const QString folder = entry.chopped(1);
        // Tables below the chosen folder are queried by their path from it, so each item
        // exports its own file even when another folder holds a table of the same name.
        const QString relative = entry.mid(start.size());
        fs::FileNameArray names;  // a folder that cannot be listed adds nothing
        p.step(144, [&] { names = fs::GetFilesInFolder(folder, QStringLiteral("*.dbf")); });
        for (const QString& name : names.names()) {
            if (name.startsWith(QLatin1Char('~')))
                continue;
            const QString text = name.chopped(4);  // without ".dbf", letter case kept
            p.step(154, [&] { list.addItem(text, relative + text); });
        }
    }
}

}  // namespace

void AddTablesToFoxproListbox(TableList& list, const QString& connectionString,
                              const ConnectionSettings& settings)
{
    app::ReportingProcedure p{kLocation};
    std::unique_ptr<database::Connection> connection;
    std::unique_ptr<database::Recordset> recordset;
    p.step(100, [&] { connection = std::make_unique<database::Connection>(); });
    p.step(102, [&] { object(connection).Open(connectionString); });
    p.step(104, [&] { recordset = std::make_unique<database::Recordset>(); });
    p.step(106, [&] { list.clear(); });
    if (p.test(108, [&] { return settings.option1; }))
        addSchemaTables(p, list, connection, recordset);
    else
        addFolderTables(p, list, settings.text2);
}

bool TestFoxproConnection(const ConnectionSettings& settings)
{
    database::Connection connection;  // a failure to create it reaches the caller
    try {
        connection.CursorLocation = 2;
        connection.Open(BuildFoxproConnectionString(settings));
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace foxpro
