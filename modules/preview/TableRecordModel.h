// A table's records in the preview grid, read by record number as the grid asks for them: the
// first screen of a table of any size is one read away, and so is its last. The rows read are
// kept in a few pages, the oldest dropped first, so memory stays flat however far the user
// scrolls. Deleted records are shown, marked (as FoxPro's BROWSE shows them).
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "components/database/RecordsByNumber.h"
#include "modules/preview/RecordModel.h"

namespace preview {

class TableRecordModel final : public RecordModel
{
public:
    // Pages of this many records are read at once, and this many pages kept.
    static constexpr int kPageRecords = 128;
    static constexpr int kKeptPages = 16;
    // A grid has no more rows than this: beyond it, its scroll range would overflow.
    static constexpr long kMaxRows = 50'000'000;

    // Takes the opened table; reads no record until a cell is asked for.
    explicit TableRecordModel(std::unique_ptr<database::RecordsByNumber> records);

    // The table's records (deleted ones included), at most kMaxRows.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString statusText() const override;

protected:
    Cell cell(int row, int column, bool whole) const override;
    bool deleted(int row) const override;

private:
    struct Page
    {
        long first = 0;
        std::vector<Cell> cells;  // row by row, each cut as the grid shows it
        std::vector<bool> deleted;
    };
    // The page holding row, read now when it is not kept.
    const Page& page(int row) const;
    // Reads record n into mFields; a record that cannot be read at all marks every field.
    bool readRecord(long n) const;

    std::unique_ptr<database::RecordsByNumber> mRecords;
    mutable std::vector<rows::Field> mFields;  // the read buffer
    mutable std::deque<Page> mPages;           // most recently used first
};

}  // namespace preview
