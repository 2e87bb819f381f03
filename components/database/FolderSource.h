// A folder of free tables as a connection's source: tables by file name or relative path.
#pragma once

#include <filesystem>

#include "components/database/Source.h"
#include "components/vfp/CodePage.h"

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
    // ignoring case. A table linked to a container keeps the container's long field names.
    std::unique_ptr<RowSource> open(const QString& name, const KeepGoing& keepGoing) override;

    // The file that open(name) reads. Throws DatabaseError when name is empty, absolute,
    // leads out of the folder ("..") or names no table.
    std::filesystem::path resolve(const QString& name) const;

private:
    std::filesystem::path mFolder;
    int mDefaultCodePage;
};

}  // namespace database
