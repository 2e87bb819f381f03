// Stepping through a view's SQLite statement.
#include "components/views/ViewRowSource.h"

#include <QString>

#include "components/rows/DatabaseError.h"
#include "components/views/ResultValue.h"
#include "components/views/SqlParser.h"

namespace database::view {

ViewRowSource::ViewRowSource(std::unique_ptr<ViewDatabase> database, const SourceTable& view,
                             std::string description)
    : mDatabase(std::move(database)), mColumns(view.columns), mDescription(std::move(description))
{
    const std::string from = " FROM " + quoteName(view.sqliteName);
    // Counting reads only what the count needs (join keys, filters), not every field.
    const Statement count = prepare(mDatabase->db(), "SELECT count(*)" + from);
    if (sqlite3_step(count.get()) != SQLITE_ROW)
        failed();
    mCount = static_cast<long>(sqlite3_column_int64(count.get(), 0));
    mRows = prepare(mDatabase->db(), "SELECT *" + from);
}

std::vector<Field> ViewRowSource::describe() const
{
    std::vector<Field> fields;
    for (const ResultColumn& column : mColumns)
        fields.emplace_back(QString::fromUtf8(column.name).toLower(), adoTypeOf(column.type));
    return fields;
}

long ViewRowSource::recordCount() const
{
    return mCount;
}

bool ViewRowSource::next(std::vector<Field>& fields)
{
    const int rc = sqlite3_step(mRows.get());
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        failed();
    const int count = std::min(static_cast<int>(fields.size()), static_cast<int>(mColumns.size()));
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        readResultValue(mRows.get(), i, mColumns[index].type, fields[index].mutableValue());
    }
    return true;
}

void ViewRowSource::failed() const
{
    std::string reason = sqlite3_errmsg(mDatabase->db());
    if (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    throw DatabaseError(mDescription + " cannot be read: " + reason + ".");
}

}  // namespace database::view
