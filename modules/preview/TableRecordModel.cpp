// Pages of records read by number, kept most recently used first.
#include "modules/preview/TableRecordModel.h"

#include <algorithm>

#include "components/rows/DatabaseError.h"
#include "modules/preview/PreviewTexts.h"

namespace preview {

TableRecordModel::TableRecordModel(std::unique_ptr<database::RecordsByNumber> records)
    : RecordModel(records->describe()), mRecords(std::move(records)), mFields(fieldList())
{}

int TableRecordModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::min(mRecords->count(), kMaxRows));
}

QString TableRecordModel::statusText() const
{
    return tableStatusText(mRecords->count(), rowCount());
}

bool TableRecordModel::readRecord(long n) const
{
    try {
        return mRecords->read(n, mFields);
    } catch (const rows::DatabaseError& error) {
        for (rows::Field& field : mFields)
            field.setUnreadable(error.what());
        return false;
    }
}

const TableRecordModel::Page& TableRecordModel::page(int row) const
{
    const long first = row - row % kPageRecords;
    const auto kept =
        std::find_if(mPages.begin(), mPages.end(), [&](const Page& p) { return p.first == first; });
    if (kept != mPages.end()) {
        if (kept != mPages.begin())
            std::rotate(mPages.begin(), kept, kept + 1);
        return mPages.front();
    }
    if (mPages.size() == kKeptPages)
        mPages.pop_back();
    Page read;
    read.first = first;
    const long end = std::min<long>(first + kPageRecords, rowCount());
    read.cells.reserve(std::size_t(end - first) * mFields.size());
    for (long n = first; n < end; ++n) {
        read.deleted.push_back(readRecord(n));
        for (const rows::Field& field : mFields) {
            Cell shown = cellOf(field);
            if (shown.state == CellState::Value)
                shown.text = gridText(shown.text);
            read.cells.push_back(std::move(shown));
        }
    }
    mPages.push_front(std::move(read));
    return mPages.front();
}

Cell TableRecordModel::cell(int row, int column, bool whole) const
{
    if (whole) {
        readRecord(row);
        return cellOf(mFields[std::size_t(column)]);
    }
    const Page& kept = page(row);
    return kept.cells[std::size_t(row - kept.first) * mFields.size() + std::size_t(column)];
}

bool TableRecordModel::deleted(int row) const
{
    const Page& kept = page(row);
    return kept.deleted[std::size_t(row - kept.first)];
}

}  // namespace preview
