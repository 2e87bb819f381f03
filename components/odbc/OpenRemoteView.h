// Opening a remote view of a database container: its SQL, written in the server's own
// dialect, is sent as stored, once planRemoteView finds nothing to refuse, through the
// connect string we build of the connection the container names for it.
#pragma once

#include <memory>

#include "components/odbc/RemoteViewPlan.h"
#include "components/rows/KeepGoing.h"
#include "components/rows/RowSource.h"
#include "components/vfp/Container.h"

namespace odbc {

// Runs remote `view` of `container` on its server, when planRemoteView finds nothing to refuse
// and the server is among `allowed`, and returns its rows: field names as the
// server gives them, in lower case ("exp_N" for a column the server leaves unnamed), ADO
// types from the server's SQL types (see odbc::planColumn), Null kept, an exact record count.
// The server's result is read once, row by row, into a temporary file, and the connection is
// closed before this returns; whatever the SQL changed is rolled back where the server keeps
// transactions. No dialog is ever shown, and the login waits at most the connection's
// ConnectTimeout (15 seconds when it sets none, 60 at most); its QueryTimeout, when set, bounds the
// query. While the SQL runs and its rows are read, keepGoing is asked about every 10 ms (it may be
// empty): told to stop, the statement is cancelled and Stopped thrown (CancellableCall.h).
// Throws DatabaseError "The view NAME of FILE.dbc cannot be opened: REASON." with the plan's
// refusal, when the server is not allowed ("connecting to its server (SHOWN) was not
// allowed"), its driver is missing or the login fails (the reason names the data source and
// gives the driver manager's own message), the server refuses the SQL, or the SQL gives no
// rows; "... cannot be read ..." when fetching fails.
std::unique_ptr<rows::RowSource> openRemoteView(const vfp::Container& container,
                                                const vfp::ContainerView& view,
                                                const AllowedServers& allowed,
                                                const rows::KeepGoing& keepGoing = {});

}  // namespace odbc
