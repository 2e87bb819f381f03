// Walking the spooled rows of a remote view.
#include "components/odbc/RemoteRowSource.h"

namespace odbc {

RemoteRowSource::RemoteRowSource(std::vector<rows::Field> fields, std::unique_ptr<RowSpool> spool,
                                 long count)
    : mFields(std::move(fields)), mSpool(std::move(spool)), mCount(count)
{}

std::vector<rows::Field> RemoteRowSource::describe() const
{
    return mFields;
}

long RemoteRowSource::recordCount() const
{
    return mCount;
}

bool RemoteRowSource::next(std::vector<rows::Field>& fields)
{
    if (mRead == mCount)
        return false;
    for (std::size_t i = 0; i < mFields.size(); ++i)
        mSpool->read(i < fields.size() ? fields[i].mutableValue() : mSkipped);
    ++mRead;
    return true;
}

}  // namespace odbc
