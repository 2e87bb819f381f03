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
    : mContainer(rows::fromEngine([&] { return vfp::Container::open(dbc, defaultCodePage); }))
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

ContainerSource::Member ContainerSource::member(const QString& name) const
{
    const std::string key = name.toStdString();
    if (const vfp::ContainerTable* table = mContainer.findTable(key))
        return {table, nullptr};
    if (const vfp::ContainerView* view = mContainer.findView(key))
        return {nullptr, view};
    throw rows::DatabaseError(mContainer.displayName() + " has no table or view named \"" + key +
                              "\".");
}

vfp::Table ContainerSource::openTable(const vfp::ContainerTable& table) const
{
    return rows::fromEngine([&] { return mContainer.openTable(table); });
}

std::unique_ptr<rows::RowSource> ContainerSource::open(const QString& name,
                                                       const rows::KeepGoing& keepGoing)
{
    const Member found = member(name);
    if (found.table != nullptr)
        return rows::fromEngine(
            [&] { return std::make_unique<TableRowSource>(openTable(*found.table)); });
    const vfp::ContainerView& view = *found.view;
    if (view.kind == vfp::ViewKind::Remote)
        return odbc::openRemoteView(mContainer, view, allowedServers(), keepGoing);
    // The view runner reads the tables and views a view names itself, and finds a view that
    // names itself.
    return views::openView(mContainer, view, keepGoing);
}

std::optional<vfp::Table> ContainerSource::table(const QString& name)
{
    const Member found = member(name);
    if (found.table == nullptr)
        return std::nullopt;
    return openTable(*found.table);
}

ObjectDetails ContainerSource::details(const QString& name)
{
    const Member found = member(name);
    if (found.table != nullptr)
        return tableDetails(found.table->file, [&] { return openTable(*found.table); });
    ObjectDetails details;
    details.kind = found.view->kind == vfp::ViewKind::Remote ? ObjectDetails::Kind::RemoteView
                                                             : ObjectDetails::Kind::LocalView;
    details.sql = found.view->sql;
    return details;
}

RemoteUse ContainerSource::remoteUse(const QString& name) const
{
    const vfp::ContainerView* view = mContainer.findView(name.toStdString());
    if (view == nullptr || view->kind != vfp::ViewKind::Remote)
        return {};
    const odbc::RemoteViewPlan plan = odbc::planRemoteView(
        mContainer, *view, odbc::OdbcSetup::read(odbc::cannotOpenText(mContainer, *view)));
    return {true, plan.login.shown, plan.refusal};
}

}  // namespace database
