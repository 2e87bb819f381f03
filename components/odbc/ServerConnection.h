// One ODBC connection to the server a remote view reads: opened without any dialog and with a
// login time-out, read-only where the driver allows it, and whatever a statement changed
// rolled back when it closes.
#pragma once

#include <string>

#include "components/odbc/OdbcConnectString.h"
#include "components/odbc/OdbcHandle.h"
#include "components/vfp/Container.h"

namespace odbc {

// Seconds to wait for the login when the connection sets no ConnectTimeout (or 0, "wait for
// ever"): a server that never answers must not freeze the program.
constexpr long kDefaultLoginTimeoutSeconds = 15;
// The longest login wait a container may ask for: the login cannot be stopped from the window
// (no ODBC call cancels it), so a container's ConnectTimeout of hours would freeze the program.
constexpr long kMaxLoginTimeoutSeconds = 60;

class ServerConnection
{
public:
    // Connects through the driver manager with SQLDriverConnect and SQL_DRIVER_NOPROMPT, sending
    // login.connectString (built by buildConnectString) for `connection`.
    // `context` starts every message ("The view sales of shop.dbc cannot be opened").
    // Throws DatabaseError "CONTEXT: SERVER cannot be reached: DIAGNOSTICS." when its driver
    // cannot be loaded or the login fails or times out, and "CONTEXT: SERVER cannot hold back
    // changes ..." when the driver offers no manual commit, so nothing could be rolled back.
    ServerConnection(const vfp::ContainerConnection& connection, const ServerLogin& login,
                     const std::string& context);
    // Rolls back and disconnects; nothing is ever committed.
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    const Handle& handle() const { return mConnection; }
    // How messages name the server: "the data source sales".
    const std::string& serverText() const { return mServerText; }

private:
    Handle mEnvironment;
    Handle mConnection;  // after mEnvironment: freed first
    std::string mServerText;
    bool mManualCommit = false;
};

}  // namespace odbc
