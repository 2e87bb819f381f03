// Reading a table's records by number through the engine's positioned reads.
#include "components/database/RecordsByNumber.h"

#include <string>

#include "components/database/Connection.h"
#include "components/database/Source.h"
#include "components/database/TableRowSource.h"
#include "components/rows/DatabaseError.h"
#include "components/rows/EngineCall.h"

namespace database {
namespace {

// Enough for a screenful of records of any width; a jump reads no more than this.
constexpr std::size_t kReadBytes = std::size_t{256} << 10;

vfp::Table tableOf(Connection& connection, const QString& name)
{
    std::optional<vfp::Table> table = connection.source().table(name);
    if (!table)
        throw rows::DatabaseError("\"" + name.toStdString() +
                                  "\" is a view; its rows have no record numbers.");
    return *table;
}

}  // namespace

RecordsByNumber::RecordsByNumber(Connection& connection, const QString& name)
    : mTable(tableOf(connection, name)),
      mReader(rows::fromEngine([&] { return vfp::RecordReader(mTable, kReadBytes); }))
{}

std::vector<rows::Field> RecordsByNumber::describe() const
{
    return describeTable(mTable);
}

long RecordsByNumber::count() const
{
    return static_cast<long>(mTable.recordCount());
}

int RecordsByNumber::codePage() const
{
    return mTable.codePage();
}

bool RecordsByNumber::codePageMarked() const
{
    return mTable.codePageMarked();
}

bool RecordsByNumber::read(long n, std::vector<rows::Field>& fields)
{
    if (n < 0 || n >= count())
        throw rows::DatabaseError(mTable.displayName() + " has no record " + std::to_string(n + 1) +
                                  "; it holds " + std::to_string(count()) + ".");
    rows::fromEngine([&] { return mReader.seekStored(static_cast<std::uint32_t>(n)); });
    readRecord(mReader, fields);
    return mReader.isDeleted();
}

}  // namespace database
