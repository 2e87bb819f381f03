// Opening a view of a database container: the view's SQL is translated for SQLite and run
// over the container's tables (and the views it names), and its result is read like a table.
#pragma once

#include <memory>

#include "components/rows/KeepGoing.h"
#include "components/rows/RowSource.h"
#include "components/vfp/Container.h"

namespace views {

// Runs `view` of `container` and returns its rows: field names in lower case (the names the
// container keeps for the view's columns), ADO types from the columns' DataType properties or
// else from what the SQL selects, an exact record count, values of the columns' kinds.
// Text compares as under the "machine" collating sequence, the only one a container is
// opened with: byte order, trailing blanks ignored.
// The SQL runs in a sandbox (Sandbox.h): it only reads the container's tables and views.
// keepGoing is asked while the view's SQL runs, when the rows are counted here and as each
// row is read later; it may be empty.
// Throws DatabaseError "The view NAME of FILE.dbc cannot be opened: REASON." for a remote
// view, a view that takes parameters, SQL that cannot be translated (the reason says what and
// where), and a table it reads that cannot be opened; Stopped when keepGoing said to stop.
std::unique_ptr<rows::RowSource> openView(const vfp::Container& container,
                                          const vfp::ContainerView& view,
                                          const rows::KeepGoing& keepGoing = {});

}  // namespace views
