// Tables and views of a database container: member tables are read with the long field
// names the container keeps; local views go to the view runner, remote views to their server.
#include "components/database/ContainerSource.h"

#include "components/database/TableRowSource.h"
#include "components/odbc/OdbcSetup.h"
#include "components/odbc/OpenRemoteView.h"
#include "components/odbc/RemoteViewPlan.h"
#include "components/rows/EngineCall.h"
#include "components/views/OpenView.h"

namespace database {

ContainerSource::ContainerSource(const std::filesystem::path& dbc, int defaultCodePage)
    : mContainer(fromEngine([&] { return vfp::Container::open(dbc, defaultCodePage); }))
{}

std::vector<CatalogEntry> ContainerSource::catalog() const
{
    std::vector<CatalogEntry> entries;
    for (const vfp::ContainerTable& table : mContainer.tables())
        entries.push_back({QString::fromUtf8(table.name), false});
    for (const vfp::ContainerView& view : mContainer.views())
        entries.push_back({QString::fromUtf8(view.name), true});
    sortCatalog(entries);
    return entries;
}

std::unique_ptr<RowSource> ContainerSource::open(const QString& name, const KeepGoing& keepGoing)
{
    const std::string key = name.toStdString();
    if (const vfp::ContainerTable* table = mContainer.findTable(key))
        return fromEngine(
            [&] { return std::make_unique<TableRowSource>(mContainer.openTable(*table)); });
    const vfp::ContainerView* view = mContainer.findView(key);
    if (view == nullptr)
        throw DatabaseError(mContainer.displayName() + " has no table or view named \"" + key +
                            "\".");
    if (view->kind == vfp::ViewKind::Remote)
        return openRemoteView(mContainer, *view, allowedServers(), keepGoing);
    // The view runner reads the tables and views a view names itself, and finds a view that
    // names itself.
    return openView(mContainer, *view, keepGoing);
}

RemoteUse ContainerSource::remoteUse(const QString& name) const
{
    const vfp::ContainerView* view = mContainer.findView(name.toStdString());
    if (view == nullptr || view->kind != vfp::ViewKind::Remote)
        return {};
    const RemoteViewPlan plan =
        planRemoteView(mContainer, *view, odbc::OdbcSetup::read(cannotOpenText(mContainer, *view)));
    return {true, plan.login.shown, plan.refusal};
}

}  // namespace database
