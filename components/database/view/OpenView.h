// Opening a view of a database container: the view's SQL is run over the tables (and other
// views) it names, and its result is read like a table.
#pragma once

#include <functional>
#include <memory>

#include <QString>

#include "components/database/RowSource.h"
#include "components/vfp/Container.h"

namespace database {

// Opens a table or view of the same container by name (ignoring case), reading from its first
// row; throws DatabaseError when there is none or it cannot be read, or when views name each
// other too deeply (a view that names itself).
using TableOpener = std::function<std::unique_ptr<RowSource>(const QString& name)>;

// Runs `view` of `container` and returns its rows. collatingSequence is the connection's
// ("machine" or "general"), for the order of sorted text. Throws DatabaseError naming the
// view when it cannot be run (a remote view, SQL that cannot be run, a table it names that
// cannot be opened).
std::unique_ptr<RowSource> openView(const vfp::Container& container, const vfp::ContainerView& view,
                                    const QString& collatingSequence, const TableOpener& openTable);

}  // namespace database
