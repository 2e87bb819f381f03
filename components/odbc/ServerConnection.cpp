// Connecting to a remote view's server. The connection only reads: it asks the driver for a
// read-only session and for manual commit (a driver without it gets no SQL), and rolls back at
// the end, so SQL that changes data (a container can hold any text as a view's SQL) leaves a
// transactional server as it was.
#include "components/odbc/ServerConnection.h"

#include <algorithm>

#include <sqlext.h>

#include "components/rows/DatabaseError.h"

namespace odbc {

namespace {

SQLPOINTER asPointer(SQLULEN value)
{
    return reinterpret_cast<SQLPOINTER>(value);
}

long loginTimeoutOf(const vfp::ContainerConnection& connection)
{
    const long seconds = static_cast<long>(
        connection.properties.number(vfp::PropertyId::ConnectTimeout).value_or(0));
    return seconds > 0 ? std::min(seconds, kMaxLoginTimeoutSeconds) : kDefaultLoginTimeoutSeconds;
}

// The environment declares ODBC 3 behaviour before a connection is allocated under it.
const Handle& declaredOdbc3(const Handle& environment, const std::string& context)
{
    declareOdbc3(environment, context);
    return environment;
}

}  // namespace

ServerConnection::ServerConnection(const vfp::ContainerConnection& connection,
                                   const ServerLogin& login, const std::string& context)
    : mEnvironment(SQL_HANDLE_ENV, nullptr, context),
      mConnection(SQL_HANDLE_DBC, &declaredOdbc3(mEnvironment, context), context),
      mServerText(dataSourceText(connection, login))
{
    std::string connectString = login.connectString;
    const std::string unreachable = context + ": " + mServerText + " cannot be reached";
    mConnection.check(
        SQLSetConnectAttr(mConnection.get(), SQL_ATTR_LOGIN_TIMEOUT,
                          asPointer(static_cast<SQLULEN>(loginTimeoutOf(connection))), 0),
        unreachable);
    mConnection.check(SQLDriverConnect(mConnection.get(), nullptr,
                                       reinterpret_cast<SQLCHAR*>(connectString.data()), SQL_NTS,
                                       nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT),
                      unreachable);
    try {
        const std::string refused = context + ": " + mServerText + " refuses a read-only session";
        mConnection.offered(SQLSetConnectAttr(mConnection.get(), SQL_ATTR_ACCESS_MODE,
                                              asPointer(SQL_MODE_READ_ONLY), 0),
                            refused);
        mManualCommit =
            mConnection.offered(SQLSetConnectAttr(mConnection.get(), SQL_ATTR_AUTOCOMMIT,
                                                  asPointer(SQL_AUTOCOMMIT_OFF), 0),
                                refused);
        // Without manual commit whatever the SQL changes would stay: nothing is sent then.
        if (!mManualCommit)
            throw rows::DatabaseError(
                context + ": " + mServerText +
                " cannot hold back changes (its driver offers no manual commit), "
                "so the view's SQL is not sent.");
    } catch (...) {
        SQLDisconnect(mConnection.get());  // a connected handle cannot be freed
        throw;
    }
}

ServerConnection::~ServerConnection()
{
    // Nothing can be reported from here: the rows are read, or a failure is on its way.
    if (mManualCommit)
        SQLEndTran(SQL_HANDLE_DBC, mConnection.get(), SQL_ROLLBACK);
    SQLDisconnect(mConnection.get());
}

}  // namespace odbc
