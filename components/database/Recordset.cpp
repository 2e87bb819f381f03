// The recordset's forward walk: its row source read one record at a time into its fields.
#include "components/database/Recordset.h"

#include "components/database/Connection.h"
#include "components/database/Query.h"
#include "components/database/Source.h"
#include "components/rows/DatabaseError.h"
#include "components/rows/RowSource.h"

namespace database {

Recordset::Recordset() = default;

Recordset::Recordset(std::unique_ptr<rows::RowSource> source) : mSource(std::move(source))
{
    load();
}

Recordset::~Recordset() = default;

void Recordset::Open(const QString& query, Connection& connection, int cursorType, int lockType)
{
    if (mSource)
        throw rows::DatabaseError(
            "The recordset is already open; close it before opening it again.");
    if (cursorType != adOpenStatic || lockType != adLockReadOnly)
        throw rows::DatabaseError(
            "Only static, read-only recordsets (cursor type 3, lock type 1) "
            "are offered; asked for cursor type " +
            std::to_string(cursorType) + ", lock type " + std::to_string(lockType) + ".");
    const QString name = tableNameFromQuery(query);
    mSource = connection.source().open(name, connection.keepGoing);
    try {
        load();
    } catch (...) {
        Close();
        throw;
    }
}

void Recordset::load()
{
    mFields = mSource->describe();
    mCount = mSource->recordCount();
    moveTo(mSource->next(mFields));
}

void Recordset::moveTo(bool onRecord)
{
    mEof = !onRecord;
    for (rows::Field& field : mFields)
        field.setOnRecord(onRecord);
}

int Recordset::State() const
{
    return mSource ? 1 : 0;
}

long Recordset::RecordCount() const
{
    if (!mSource)
        throw rows::DatabaseError("The recordset is closed; RecordCount needs an open recordset.");
    return mCount;
}

int Recordset::FieldCount() const
{
    if (!mSource)
        throw rows::DatabaseError("The recordset is closed; it has no fields.");
    return static_cast<int>(mFields.size());
}

const rows::Field& Recordset::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw rows::DatabaseError("There is no field " + std::to_string(index) +
                                  "; the recordset has " + std::to_string(mFields.size()) +
                                  " fields (numbered from 0).");
    return mFields[static_cast<std::size_t>(index)];
}

const rows::Field& Recordset::Fields(const QString& name) const
{
    FieldCount();  // throws when closed
    for (const rows::Field& field : mFields) {
        if (field.name().compare(name, Qt::CaseInsensitive) == 0)
            return field;
    }
    throw rows::DatabaseError("The recordset has no field named \"" + name.toStdString() + "\".");
}

bool Recordset::Eof() const
{
    return mEof;
}

void Recordset::MoveNext()
{
    if (!mSource)
        throw rows::DatabaseError("The recordset is closed; MoveNext needs an open recordset.");
    if (mEof)
        throw rows::DatabaseError("MoveNext was called past the last record.");
    try {
        moveTo(mSource->next(mFields));
    } catch (...) {
        // The record could be read only in part: none of its values may be taken for it.
        for (rows::Field& field : mFields)
            field.setOnRecord(false);
        throw;
    }
}

void Recordset::Close()
{
    mSource.reset();
    mFields.clear();
    mCount = 0;
    mEof = true;
}

}  // namespace database
