// Walking the spooled rows of a remote view.
#include "components/odbc/RemoteRowSource.h"

namespace database::odbc {

RemoteRowSource::RemoteRowSource(std::vector<Field> fields, std::unique_ptr<RowSpool> spool,
                                 long count)
    : mFields(std::move(fields)), mSpool(std::move(spool)), mCount(count)
{}

std::vector<Field> RemoteRowSource::describe() const
{
    return mFields;
}

long RemoteRowSource::recordCount() const
{
    return mCount;
}

bool RemoteRowSource::next(std::vector<Field>& fields)
{
    if (mRead == mCount)
        return false;
    for (std::size_t i = 0; i < mFields.size(); ++i)
        mSpool->read(i < fields.size() ? fields[i].mutableValue() : mSkipped);
    ++mRead;
    return true;
}

}  // namespace database::odbc
