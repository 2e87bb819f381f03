// "ADODB.Connection": opening the source named by the connection string and its schema.
#include "components/database/Connection.h"

#include "components/database/ConnectionString.h"
#include "components/database/Recordset.h"
#include "components/database/SchemaRowSource.h"
#include "components/database/Source.h"
#include "components/rows/DatabaseError.h"

namespace database {
namespace {

std::string supportedCodePagesText()
{
    std::string text;
    for (const int page : vfp::supportedCodePages())
        text += (text.empty() ? "" : ", ") + std::to_string(page);
    return text;
}

}  // namespace

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Open(const QString& connectionString)
{
    if (mSource)
        throw rows::DatabaseError(
            "The connection is already open; close it before opening it again.");
    if (!vfp::isSupportedCodePage(DefaultCodePage))
        throw rows::DatabaseError("Code page " + std::to_string(DefaultCodePage) +
                                  " cannot be read; tables without a code-page mark need one of " +
                                  supportedCodePagesText() + ".");
    mSource = Source::open(parseConnectionString(connectionString), DefaultCodePage);
}

int Connection::State() const
{
    return mSource ? 1 : 0;
}

void Connection::Close()
{
    mSource.reset();
}

std::unique_ptr<Recordset> Connection::OpenSchema(int schema)
{
    if (schema != adSchemaTables)
        throw rows::DatabaseError("Schema " + std::to_string(schema) +
                                  " is not offered; only the tables schema (20) is.");
    return std::make_unique<Recordset>(std::make_unique<SchemaRowSource>(source().catalog()));
}

ObjectDetails Connection::details(const QString& name)
{
    return source().details(name);
}

RemoteUse Connection::remoteUse(const QString& name)
{
    return source().remoteUse(name);
}

void Connection::allowRemoteServers(std::set<std::string> servers)
{
    source().allowRemoteServers(std::move(servers));
}

Source& Connection::source()
{
    if (!mSource)
        throw rows::DatabaseError("The connection is closed; open it first.");
    return *mSource;
}

}  // namespace database
