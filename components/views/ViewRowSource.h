// The rows of a view: its SQLite view read row by row, each value turned into the kind of its
// column, after one counting pass for the exact RecordCount. A cell whose value was too long
// for a view (a mark, OverflowMarks.h) is unreadable; the rest of its row is read.
#pragma once

#include <memory>
#include <string>

#include "components/rows/RowSource.h"
#include "components/views/ViewDatabase.h"

namespace views {

class ViewRowSource : public rows::RowSource
{
public:
    // `view` is a view defined in `database`; `description` names it in messages ("The view
    // invoices of northwind.dbc"). Counts the rows at once: throws DatabaseError when SQLite
    // cannot run the view, Stopped when the database's KeepGoing said to stop.
    ViewRowSource(std::unique_ptr<ViewDatabase> database, const foxsql::SourceTable& view,
                  std::string description);

    std::vector<rows::Field> describe() const override;
    long recordCount() const override;
    // Throws as the constructor does, and DatabaseError at the end when a value too long for
    // a view went into a computation instead of a cell (its results cannot be trusted).
    bool next(std::vector<rows::Field>& fields) override;

private:
    [[noreturn]] void failed() const;
    // A mark (OverflowMarks.h) went into a computation instead of a cell.
    [[noreturn]] void markUsed() const;

    std::unique_ptr<ViewDatabase> mDatabase;
    std::vector<foxsql::ResultColumn> mColumns;
    std::string mDescription;
    Statement mRows;  // after mDatabase: finalized before the database closes
    long mCount = 0;
    long mRow = 0;  // rows read so far
};

}  // namespace views
