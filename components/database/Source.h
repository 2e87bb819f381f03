// What a connection has opened: a database container or a folder of free tables. Internal to
// the component; Connection and Recordset reach tables and views only through it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QString>

#include "components/database/ObjectDetails.h"
#include "components/database/RemoteUse.h"
#include "components/rows/KeepGoing.h"
#include "components/rows/RowSource.h"
#include "components/vfp/Table.h"

namespace database {

struct ConnectionString;

struct CatalogEntry
{
    QString name;
    bool isView = false;
};

class Source
{
public:
    virtual ~Source() = default;

    // Opens what the connection string names: a path ending in ".dbc" (any case) as a
    // database container, anything else as a folder. Its tables without a code-page mark are
    // read in defaultCodePage. Throws DatabaseError when the container is missing or
    // unreadable, or the folder does not exist or is no folder.
    static std::unique_ptr<Source> open(const ConnectionString& connection, int defaultCodePage);

    // The tables rowset: tables, then views, each group sorted by name ignoring case.
    virtual std::vector<CatalogEntry> catalog() const = 0;

    // Opens a table or view by name for reading from its first row; a view's SQL asks
    // keepGoing while it runs (now and as its rows are read). Throws DatabaseError when there
    // is no such table or view, it cannot be read, or it is a remote view whose server is not
    // among those allowed; Stopped when keepGoing said to stop.
    virtual std::unique_ptr<rows::RowSource> open(const QString& name,
                                                  const rows::KeepGoing& keepGoing) = 0;

    // The table `name` with its header read and no record, for reading records by number;
    // nullopt when `name` is a view. Throws DatabaseError as open does.
    virtual std::optional<vfp::Table> table(const QString& name) = 0;

    // What `name` is, without reading a record (see ObjectDetails); a table whose file or
    // header cannot be read says why in ObjectDetails::failure. Throws DatabaseError when the
    // source has no table or view of that name.
    virtual ObjectDetails details(const QString& name) = 0;

    // What opening `name` would ask of a server; not remote for anything but a remote view.
    virtual RemoteUse remoteUse(const QString& name) const;

    // The servers remote views may reach, each as RemoteUse::server; none at first.
    void allowRemoteServers(std::set<std::string> servers) { mAllowedServers = std::move(servers); }

protected:
    const std::set<std::string>& allowedServers() const { return mAllowedServers; }

private:
    std::set<std::string> mAllowedServers;
};

// Sorts entries as the tables rowset orders them (see Source::catalog).
void sortCatalog(std::vector<CatalogEntry>& entries);

// The details of the table in `file` that openHeader opens (throwing DatabaseError when it
// cannot): the file's size and last change, the header's counts and code page.
ObjectDetails tableDetails(const std::filesystem::path& file,
                           const std::function<vfp::Table()>& openHeader);

}  // namespace database
