// Choosing the kind of source from the data source path, and the tables rowset order.
#include "components/database/Source.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

#include <QFile>

#include "components/database/ConnectionString.h"
#include "components/database/ContainerSource.h"
#include "components/database/FolderSource.h"
#include "components/files/FileName.h"
#include "components/rows/DatabaseError.h"

namespace database {

std::unique_ptr<Source> Source::open(const ConnectionString& connection, int defaultCodePage)
{
    const std::filesystem::path path(files::fileNameBytes(connection.dataSource).toStdString());
    const std::string shown = connection.dataSource.toStdString();
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (connection.dataSource.endsWith(QLatin1String(".dbc"), Qt::CaseInsensitive)) {
        if (!std::filesystem::exists(status))
            throw rows::DatabaseError("Cannot open the database container " + shown +
                                      ": the file does not exist.");
        if (!std::filesystem::is_regular_file(status))
            throw rows::DatabaseError("Cannot open the database container " + shown +
                                      ": it is not a file.");
        return std::make_unique<ContainerSource>(path, defaultCodePage);
    }
    if (!std::filesystem::exists(status))
        throw rows::DatabaseError("Cannot open the free table folder " + shown +
                                  ": it does not exist.");
    if (!std::filesystem::is_directory(status))
        throw rows::DatabaseError("Cannot open " + shown +
                                  ": it is neither a folder nor a database container (.dbc).");
    return std::make_unique<FolderSource>(path, defaultCodePage);
}

RemoteUse Source::remoteUse(const QString&) const
{
    return {};
}

void sortCatalog(std::vector<CatalogEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CatalogEntry& a, const CatalogEntry& b) {
                         if (a.isView != b.isView)
                             return !a.isView;
                         const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
                         return folded != 0 ? folded < 0 : a.name < b.name;
                     });
}

ObjectDetails tableDetails(const std::filesystem::path& file,
                           const std::function<vfp::Table()>& openHeader)
{
    ObjectDetails details;
    details.file = file;
    try {
        const vfp::Table table = openHeader();
        details.records = table.recordCount();
        details.headerRecords = table.headerRecordCount();
        details.fields = static_cast<int>(table.fields().size());
        details.codePage = table.codePage();
        details.codePageMarked = table.codePageMarked();
    } catch (const rows::DatabaseError& error) {
        details.failure = error.what();
        return details;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error)
        details.fileSize = size;
    const std::filesystem::file_time_type changed = std::filesystem::last_write_time(file, error);
    if (!error)
        details.lastChange = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::file_clock::to_sys(changed).time_since_epoch())
                                 .count();
    return details;
}

}  // namespace database
