// A view's rows in the preview grid, read as the user scrolls (Qt's canFetchMore / fetchMore):
// a view's rows come one after the other from its SQL, so they are kept as they are read, up
// to a bound of rows and of text; the export copies them all.
#pragma once

#include <memory>
#include <vector>

#include "components/database/Recordset.h"
#include "modules/preview/RecordModel.h"

namespace preview {

class ViewRecordModel final : public RecordModel
{
public:
    // At most this many rows, and about this much text, are kept.
    static constexpr long kMaxRows = 100'000;
    static constexpr qsizetype kMaxCharacters = qsizetype{32} << 20;
    // Rows read by one fetchMore.
    static constexpr int kBatchRows = 256;

    // Takes the open recordset of the view, standing on its first row; reads the first batch.
    explicit ViewRecordModel(std::unique_ptr<database::Recordset> rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    // Reads the next batch of rows. A row that cannot be read ends the reading: failure() says
    // why; a view stopped by its connection's keepGoing ends it too.
    void fetchMore(const QModelIndex& parent) override;

    // The rows the view yields, what is kept of them and why reading ended early, if it did.
    QString statusText() const override;
    // Why reading ended early; empty when it did not.
    const QString& failure() const { return mFailure; }

protected:
    Cell cell(int row, int column, bool whole) const override;
    bool deleted(int) const override { return false; }

private:
    std::unique_ptr<database::Recordset> mRows;
    std::vector<std::vector<Cell>> mKept;
    qsizetype mCharacters = 0;
    bool mEnded = false;
    QString mFailure;
};

}  // namespace preview
