// Free tables of a folder. Names come from the catalogue, which lists tables of sub-folders
// by their relative path; a name is matched part by part, ignoring letter case as FoxPro on
// Windows does, and can never reach outside the folder.
#include "components/database/FolderSource.h"

#include <system_error>

#include <QFile>
#include <QStringList>

#include "components/database/TableRowSource.h"
#include "components/files/FileName.h"
#include "components/rows/DatabaseError.h"
#include "components/rows/EngineCall.h"

namespace database {

namespace {

const QLatin1String kTableExtension(".dbf");

QString decodedName(const std::filesystem::path& path)
{
    return files::fileNameText(path.filename().native());
}

}  // namespace

FolderSource::FolderSource(std::filesystem::path folder, int defaultCodePage)
    : mFolder(std::move(folder)), mDefaultCodePage(defaultCodePage)
{}

std::vector<CatalogEntry> FolderSource::catalog() const
{
    std::vector<CatalogEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(mFolder, error), end; !error && it != end;
         it.increment(error)) {
        const QString fileName = decodedName(it->path());
        std::error_code typeError;
        if (fileName.size() > kTableExtension.size() &&
            fileName.endsWith(kTableExtension, Qt::CaseInsensitive) &&
            std::filesystem::is_regular_file(it->path(), typeError))
            entries.push_back({fileName.chopped(kTableExtension.size()).toLower(), false});
    }
    if (error)
        throw rows::DatabaseError("Cannot list the tables of " + mFolder.string() + ": " +
                                  error.message() + ".");
    sortCatalog(entries);
    return entries;
}

std::filesystem::path FolderSource::resolve(const QString& name) const
{
    const auto refuse = [&](const char* reason) -> rows::DatabaseError {
        return rows::DatabaseError("Cannot open the table \"" + name.toStdString() + "\" of " +
                                   mFolder.string() + ": " + reason);
    };
    if (name.isEmpty())
        throw refuse("the name is empty.");
    if (name.startsWith(QLatin1Char('/')))
        throw refuse("an absolute path is not a table of the folder.");
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            throw refuse("the path must stay inside the folder (no empty, \".\" or \"..\" parts).");
    }

    std::filesystem::path at = mFolder;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        at = mEntries->find(at, parts[i], true);
        if (at.empty())
            throw refuse("there is no such sub-folder.");
    }
    const QString& last = parts.last();
    std::filesystem::path table = mEntries->find(at, last + kTableExtension, false);
    if (table.empty() && last.endsWith(kTableExtension, Qt::CaseInsensitive))
        table = mEntries->find(at, last, false);
    if (table.empty())
        throw refuse("there is no such table (a .dbf file) in the folder.");
    return table;
}

vfp::Table FolderSource::openTable(const std::filesystem::path& file) const
{
    vfp::OpenOptions options;
    options.defaultCodePage = mDefaultCodePage;
    options.longNamesFromContainer = true;
    options.containers = mContainers;
    return rows::fromEngine([&] { return vfp::Table::open(file, options); });
}

std::unique_ptr<rows::RowSource> FolderSource::open(const QString& name, const rows::KeepGoing&)
{
    const vfp::Table opened = openTable(resolve(name));
    return rows::fromEngine([&] { return std::make_unique<TableRowSource>(opened); });
}

std::optional<vfp::Table> FolderSource::table(const QString& name)
{
    return openTable(resolve(name));
}

ObjectDetails FolderSource::details(const QString& name)
{
    const std::filesystem::path file = resolve(name);
    return tableDetails(file, [&] { return openTable(file); });
}

}  // namespace database
