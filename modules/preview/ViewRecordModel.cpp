// Reading a view's rows batch by batch into the rows kept for the grid.
#include "modules/preview/ViewRecordModel.h"

#include "components/rows/DatabaseError.h"
#include "components/rows/KeepGoing.h"
#include "modules/preview/PreviewTexts.h"

namespace preview {

ViewRecordModel::ViewRecordModel(std::unique_ptr<database::Recordset> rows)
    : RecordModel([&] {
          std::vector<rows::Field> fields;
          for (int i = 0; i < rows->FieldCount(); ++i)
              fields.push_back(rows->Fields(i));
          return fields;
      }()),
      mRows(std::move(rows))
{
    fetchMore(QModelIndex());
}

int ViewRecordModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(mKept.size());
}

bool ViewRecordModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !mEnded;
}

void ViewRecordModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    std::vector<std::vector<Cell>> batch;
    const auto roomLeft = [&] {
        return batch.size() < kBatchRows && long(mKept.size() + batch.size()) < kMaxRows &&
               mCharacters < kMaxCharacters;
    };
    try {
        while (roomLeft() && !mRows->Eof()) {
            std::vector<Cell>& row = batch.emplace_back();
            for (int i = 0; i < mRows->FieldCount(); ++i) {
                row.push_back(cellOf(mRows->Fields(i)));
                mCharacters += row.back().text.size();
            }
            mRows->MoveNext();
        }
    } catch (const rows::DatabaseError& error) {
        mFailure = QString::fromUtf8(error.what());
    } catch (const rows::Stopped&) {
        mFailure = stoppedText();
    }
    const long kept = static_cast<long>(mKept.size() + batch.size());
    mEnded =
        !mFailure.isEmpty() || mRows->Eof() || kept >= kMaxRows || mCharacters >= kMaxCharacters;
    if (batch.empty())
        return;
    beginInsertRows(QModelIndex(), int(mKept.size()), int(kept) - 1);
    for (std::vector<Cell>& row : batch)
        mKept.push_back(std::move(row));
    endInsertRows();
}

QString ViewRecordModel::statusText() const
{
    const QString rows = viewStatusText(mRows->RecordCount(), rowCount(), mEnded);
    return mFailure.isEmpty() ? rows : rows + QLatin1Char(' ') + mFailure;
}

Cell ViewRecordModel::cell(int row, int column, bool whole) const
{
    Cell kept = mKept[std::size_t(row)][std::size_t(column)];
    if (!whole && kept.state == CellState::Value)
        kept.text = gridText(kept.text);
    return kept;
}

}  // namespace preview
