// A folder of free tables as a connection's source: tables by file name or relative path.
#pragma once

#include <filesystem>
#include <memory>

#include "components/database/FolderEntries.h"
#include "components/database/Source.h"
#include "components/vfp/CodePage.h"
#include "components/vfp/ContainerShelf.h"

namespace database {

class FolderSource : public Source
{
public:
    // Tables without a code-page mark are read in defaultCodePage.
    explicit FolderSource(std::filesystem::path folder,
                          int defaultCodePage = vfp::kDefaultCodePage);

    // The .dbf files directly in the folder, by lower-case base name.
    std::vector<CatalogEntry> catalog() const override;
    // name: a table of the folder ("orders" is orders.dbf, ignoring case) or a path relative
    // to it with "/" separators ("sub/dir/orders", ".dbf" optional), each part matched
    // ignoring case. A table linked to a container keeps the container's long field names;
    // each container is read once for all the tables of this source that link to it.
    std::unique_ptr<rows::RowSource> open(const QString& name,
                                          const rows::KeepGoing& keepGoing) override;
    // Never nullopt: a folder holds no views.
    std::optional<vfp::Table> table(const QString& name) override;
    ObjectDetails details(const QString& name) override;

    // The file that open(name) reads. Throws DatabaseError when name is empty, absolute,
    // leads out of the folder ("..") or names no table.
    std::filesystem::path resolve(const QString& name) const;

private:
    vfp::Table openTable(const std::filesystem::path& file) const;

    std::filesystem::path mFolder;
    int mDefaultCodePage;
    // What the opens of this source share: the folders' listings and the containers read.
    std::unique_ptr<FolderEntries> mEntries = std::make_unique<FolderEntries>();
    std::shared_ptr<vfp::ContainerShelf> mContainers = std::make_shared<vfp::ContainerShelf>();
};

}  // namespace database
