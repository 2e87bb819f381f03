// What running a remote view would ask of a server, worked out before anything reaches it: the
// connect string as it would be sent, or why the view is refused. The consent question shows
// the one; the view's report gives the other.
#pragma once

#include <set>
#include <string>

#include "components/odbc/OdbcConnectString.h"
#include "components/odbc/OdbcSetup.h"
#include "components/vfp/Container.h"

namespace odbc {

struct RemoteViewPlan
{
    const vfp::ContainerConnection* connection = nullptr;  // set when refusal is empty
    odbc::ServerLogin login;  // set when refusal is empty; login.shown names the server
    // "The view NAME of FILE.dbc cannot be opened: REASON." when the view asks for parameters,
    // its connection is missing, its connect string is refused (see buildConnectString) or its
    // SQL is not one statement (see whyNotOneStatement); "" when it can be run.
    std::string refusal;
};

// Plans remote `view` of `container` with the machine's ODBC set-up `setup`. Reaches no server.
RemoteViewPlan planRemoteView(const vfp::Container& container, const vfp::ContainerView& view,
                              const odbc::OdbcSetup& setup);

// The servers the user allowed remote views to reach, each as RemoteViewPlan::login.shown.
using AllowedServers = std::set<std::string>;

// The opening of every refusal and failure of `view`: "The view NAME of FILE.dbc cannot be
// opened".
std::string cannotOpenText(const vfp::Container& container, const vfp::ContainerView& view);

}  // namespace odbc
