// A database container as a connection's source: its tables and views by name.
#pragma once

#include <filesystem>

#include "components/database/Source.h"
#include "components/vfp/Container.h"

namespace database {

class ContainerSource : public Source
{
public:
    // Reads the container; its tables without a code-page mark are read in defaultCodePage.
    // Throws DatabaseError when it is not a readable container.
    ContainerSource(const std::filesystem::path& dbc, int defaultCodePage);

    std::vector<CatalogEntry> catalog() const override;
    // A table or view of the container, by its name ignoring case.
    std::unique_ptr<rows::RowSource> open(const QString& name,
                                          const rows::KeepGoing& keepGoing) override;
    std::optional<vfp::Table> table(const QString& name) override;
    ObjectDetails details(const QString& name) override;
    RemoteUse remoteUse(const QString& name) const override;

private:
    // The table or the view called `name` (one of them set); throws DatabaseError when the
    // container has neither.
    struct Member
    {
        const vfp::ContainerTable* table = nullptr;
        const vfp::ContainerView* view = nullptr;
    };
    Member member(const QString& name) const;
    vfp::Table openTable(const vfp::ContainerTable& table) const;

    vfp::Container mContainer;
};

}  // namespace database
