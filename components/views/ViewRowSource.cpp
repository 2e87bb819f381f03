// Stepping through a view's SQLite statement.
#include "components/views/ViewRowSource.h"

#include <QLocale>
#include <QString>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/rows/DatabaseError.h"
#include "components/views/ColumnType.h"
#include "components/views/ResultValue.h"

namespace views {

namespace {

std::string bytesText(int bytes)
{
    return QLocale(QLocale::English).toString(bytes).toStdString();
}

std::string_view cellBytes(sqlite3_stmt* statement, int column)
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return {bytes == nullptr ? "" : bytes,
            static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

}  // namespace

ViewRowSource::ViewRowSource(std::unique_ptr<ViewDatabase> database,
                             const foxsql::SourceTable& view, std::string description)
    : mDatabase(std::move(database)), mColumns(view.columns), mDescription(std::move(description))
{
    const std::string from = " FROM " + foxsql::quoteName(view.sqliteName);
    // Counting reads only what the count needs (join keys, filters), not every field.
    const Statement count = prepare(mDatabase->db(), "SELECT count(*)" + from);
    if (sqlite3_step(count.get()) != SQLITE_ROW)
        failed();
    mCount = static_cast<long>(sqlite3_column_int64(count.get(), 0));
    mDatabase->marks().restart();  // the count's marks reach no cell
    mRows = prepare(mDatabase->db(), "SELECT *" + from);
}

std::vector<rows::Field> ViewRowSource::describe() const
{
    std::vector<rows::Field> fields;
    for (const foxsql::ResultColumn& column : mColumns)
        fields.emplace_back(QString::fromUtf8(column.name).toLower(), adoTypeOf(column.type),
                            rows::FieldShape{column.type.width, numericScaleOf(column.type)});
    return fields;
}

long ViewRowSource::recordCount() const
{
    return mCount;
}

bool ViewRowSource::next(std::vector<rows::Field>& fields)
{
    OverflowMarks& marks = mDatabase->marks();
    const int rc = sqlite3_step(mRows.get());
    if (rc == SQLITE_DONE) {
        if (!marks.allArrived())
            markUsed();
        return false;
    }
    if (rc != SQLITE_ROW)
        failed();
    ++mRow;
    const int count = std::min(static_cast<int>(fields.size()), static_cast<int>(mColumns.size()));
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        rows::Field& field = fields[index];
        const int type = sqlite3_column_type(mRows.get(), i);
        if (marks.any() && (type == SQLITE_BLOB || type == SQLITE_TEXT)) {
            const std::string_view bytes = cellBytes(mRows.get(), i);
            if (marks.arrived(bytes)) {
                field.setUnreadable(mDescription + ", row " + std::to_string(mRow) + ", field " +
                                    mColumns[index].name + ": its value would be longer than " +
                                    bytesText(kMaxValueBytes) +
                                    " bytes, the most a view's value may hold.");
                continue;
            }
            if (marks.inside(bytes))
                markUsed();
        }
        readResultValue(mRows.get(), i, mColumns[index].type, field.mutableValue());
        field.setReadable();
    }
    return true;
}

void ViewRowSource::markUsed() const
{
    throw rows::DatabaseError(mDescription + " cannot be read in full: a value longer than " +
                              bytesText(kMaxValueBytes) +
                              " bytes, the most a view's value may hold, was used in a computation "
                              "(joined, compared, cut, sorted by), so the rows read may not be the "
                              "rows FoxPro gives.");
}

void ViewRowSource::failed() const
{
    if (mDatabase->stopped())
        throw rows::Stopped();
    std::string reason = sqlite3_errmsg(mDatabase->db());
    if (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    throw rows::DatabaseError(mDescription + " cannot be read: " + reason + ".");
}

}  // namespace views
