// A remote view's SQL run through ODBC: connect, execute, describe the columns, copy every row
// into the spool, disconnect.
#include "components/odbc/OpenRemoteView.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <sql.h>
#include <sqlext.h>
#include <QString>

#include "components/odbc/CancellableCall.h"
#include "components/odbc/ColumnPlan.h"
#include "components/odbc/RemoteRowSource.h"
#include "components/odbc/RemoteViewPlan.h"
#include "components/odbc/RowSpool.h"
#include "components/odbc/ServerConnection.h"
#include "components/odbc/ValueReader.h"
#include "components/rows/DatabaseError.h"

namespace odbc {

namespace {

using odbc::ColumnPlan;
using odbc::Handle;

struct Column
{
    QString name;
    ColumnPlan plan;
};

constexpr SQLSMALLINT kFirstNameCapacity = 256;

QString columnName(const Handle& statement, SQLUSMALLINT number, const std::string& context,
                   SQLSMALLINT& type, SQLULEN& size, SQLSMALLINT& decimals)
{
    std::vector<SQLCHAR> name(kFirstNameCapacity);
    SQLSMALLINT length = 0;
    SQLSMALLINT nullable = 0;
    auto describe = [&] {
        statement.check(SQLDescribeCol(statement.get(), number, name.data(),
                                       static_cast<SQLSMALLINT>(name.size()), &length, &type, &size,
                                       &decimals, &nullable),
                        context);
    };
    describe();
    if (length >= static_cast<SQLSMALLINT>(name.size())) {
        name.resize(static_cast<std::size_t>(length) + 1);
        describe();
    }
    // The length may count more than the name holds (the driver manager converting a
    // Unicode driver's name counts bytes): the name ends at its terminator.
    const std::size_t end =
        std::min(static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0)), name.size() - 1);
    const auto* text = reinterpret_cast<const char*>(name.data());
    const QString shown = QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, end)));
    return shown.isEmpty() ? QStringLiteral("exp_%1").arg(number) : shown.toLower();
}

std::vector<Column> describeColumns(const Handle& statement, const std::string& context)
{
    SQLSMALLINT count = 0;
    statement.check(SQLNumResultCols(statement.get(), &count), context);
    std::vector<Column> columns;
    for (SQLSMALLINT i = 1; i <= count; ++i) {
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT decimals = 0;
        QString name =
            columnName(statement, static_cast<SQLUSMALLINT>(i), context, type, size, decimals);
        columns.push_back({std::move(name), odbc::planColumn(type, size, decimals)});
    }
    return columns;
}

// Ends early, rows left unread, once stop is asked.
long spoolRows(const Handle& statement, const std::vector<Column>& columns, odbc::RowSpool& spool,
               const std::string& context, const odbc::CallStop& stop)
{
    odbc::ValueReader reader(statement, context);
    vfp::Value value;
    long rows = 0;
    while (!stop.asked()) {
        const SQLRETURN rc = SQLFetch(statement.get());
        if (rc == SQL_NO_DATA)
            break;
        statement.check(rc, context);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            reader.read(static_cast<unsigned>(i + 1), columns[i].plan.fetch, value);
            spool.write(value);
        }
        ++rows;
    }
    spool.rewind();
    return rows;
}

void setQueryTimeout(const vfp::ContainerConnection& connection, const Handle& statement,
                     const std::string& context)
{
    const std::int64_t seconds =
        connection.properties.number(vfp::PropertyId::QueryTimeout).value_or(0);
    if (seconds > 0)
        statement.offered(
            SQLSetStmtAttr(statement.get(), SQL_ATTR_QUERY_TIMEOUT,
                           reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(seconds)), 0),
            context);
}

}  // namespace

std::unique_ptr<rows::RowSource> openRemoteView(const vfp::Container& container,
                                                const vfp::ContainerView& view,
                                                const AllowedServers& allowed,
                                                const rows::KeepGoing& keepGoing)
{
    const std::string description = "The view " + view.name + " of " + container.displayName();
    const std::string cannotOpen = cannotOpenText(container, view);
    const RemoteViewPlan plan = planRemoteView(container, view, odbc::OdbcSetup::read(cannotOpen));
    if (!plan.refusal.empty())
        throw rows::DatabaseError(plan.refusal);
    if (allowed.count(plan.login.shown) == 0)
        throw rows::DatabaseError(cannotOpen + ": connecting to its server (" + plan.login.shown +
                                  ") was not allowed.");

    const vfp::ContainerConnection* connection = plan.connection;
    const odbc::ServerConnection server(*connection, plan.login, cannotOpen);
    const std::string refused = cannotOpen + ": " + server.serverText() + " refuses its SQL";
    const Handle statement(SQL_HANDLE_STMT, &server.handle(), refused);
    setQueryTimeout(*connection, statement, refused);
    std::string sql = view.sql;
    SQLRETURN rc = SQL_SUCCESS;
    odbc::runCancellable(statement, keepGoing, [&](const odbc::CallStop&) {
        rc = SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()),
                           static_cast<SQLINTEGER>(sql.size()));
    });
    if (rc != SQL_NO_DATA)  // an UPDATE or DELETE that touched no row: no result, see below
        statement.check(rc, refused);
    const std::vector<Column> columns = describeColumns(statement, refused);
    if (columns.empty())
        throw rows::DatabaseError(
            cannotOpen + ": its SQL gives no rows, so it is no query; what it " + "did on " +
            server.serverText() + " is rolled back where the server " + "keeps transactions.");

    const std::string cannotRead = description + " cannot be read from " + server.serverText();
    auto spool = std::make_unique<odbc::RowSpool>(cannotRead);
    long count = 0;
    odbc::runCancellable(statement, keepGoing, [&](const odbc::CallStop& stop) {
        count = spoolRows(statement, columns, *spool, cannotRead, stop);
    });
    std::vector<rows::Field> fields;
    for (const Column& column : columns)
        fields.emplace_back(column.name, column.plan.adoType,
                            rows::FieldShape{.NumericScale = column.plan.numericScale});
    return std::make_unique<odbc::RemoteRowSource>(std::move(fields), std::move(spool), count);
}

}  // namespace odbc
