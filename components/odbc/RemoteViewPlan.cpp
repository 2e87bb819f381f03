// Planning a remote view: parameters, its connection, the connect string we would build and its
// SQL are all checked before the driver manager sees any of it.
#include "components/odbc/RemoteViewPlan.h"

#include "components/odbc/SingleStatement.h"
#include "components/rows/DatabaseError.h"
#include "components/rows/ViewParameters.h"

namespace odbc {

std::string cannotOpenText(const vfp::Container& container, const vfp::ContainerView& view)
{
    return "The view " + view.name + " of " + container.displayName() + " cannot be opened";
}

RemoteViewPlan planRemoteView(const vfp::Container& container, const vfp::ContainerView& view,
                              const odbc::OdbcSetup& setup)
{
    const std::string cannotOpen = cannotOpenText(container, view);
    RemoteViewPlan plan;
    if (const std::string asked = rows::askedParameters(view); !asked.empty()) {
        plan.refusal = cannotOpen + ": it " + asked + ".";
        return plan;
    }
    const vfp::ContainerConnection* connection = container.findConnection(view.connectionName);
    if (connection == nullptr) {
        plan.refusal = cannotOpen + ": it reads through the connection " + view.connectionName +
                       ", which " + container.displayName() + " does not hold.";
        return plan;
    }
    try {
        plan.login = odbc::buildConnectString(*connection, setup);
    } catch (const rows::DatabaseError& refused) {
        plan.refusal =
            cannotOpen + ": its connection " + connection->name + " " + refused.what() + ".";
        return plan;
    }
    if (const std::string why = odbc::whyNotOneStatement(view.sql); !why.empty()) {
        plan.refusal = cannotOpen + ": its SQL " + why + "; only one statement is sent.";
        return plan;
    }
    plan.connection = connection;
    return plan;
}

}  // namespace odbc
