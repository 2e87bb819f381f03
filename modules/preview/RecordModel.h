// The preview's records grid as a Qt model: one row per record, one column per field, each
// cell's text as the export writes it, with Null and values that cannot be read told apart.
// Subclasses read the rows: a table by record number (TableRecordModel), a view as the user
// scrolls (ViewRecordModel). Read-only.
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QString>

#include "components/rows/Field.h"

namespace preview {

// What a cell holds, so that the grid can show Null and unreadable values unlike text.
enum class CellState : int { Value, Null, Unreadable };

// The roles the preview's models answer besides Qt's display and tooltip roles.
enum Role : int {
    CellStateRole = Qt::UserRole + 1,  // CellState as int
    WholeTextRole,                     // the whole value, ".NULL.", or why it cannot be read
    DeletedRole,                       // bool: the record carries the deletion mark
};

struct Cell
{
    QString text;  // the value's text, kNullText, or (Unreadable) why it cannot be read
    CellState state = CellState::Value;
};

// A field's cell as it stands on the current record: the value's text as the export writes it
// (a long binary field as "{BINARY DATA}"), kNullText for Null, or why it cannot be read.
Cell cellOf(const rows::Field& field);

class RecordModel : public QAbstractTableModel
{
public:
    explicit RecordModel(std::vector<rows::Field> fields);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // Display: the grid's cut text (kUnreadableText for a value that cannot be read);
    // WholeTextRole: the whole value, or why it cannot be read; CellStateRole, DeletedRole. No
    // tooltip: a value that looks like markup would be shown as markup there.
    QVariant data(const QModelIndex& index, int role) const override;
    // Columns: the field names; rows: the record number (from 1), and whether it is deleted.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The fields as the source describes them (names, types, declarations).
    const std::vector<rows::Field>& fieldList() const { return mFields; }
    // One line: how many records there are and what the grid shows of them.
    virtual QString statusText() const = 0;

protected:
    // The cell at (row, column): whole, or cut as the grid shows it.
    virtual Cell cell(int row, int column, bool whole) const = 0;
    virtual bool deleted(int row) const = 0;

private:
    std::vector<rows::Field> mFields;
};

}  // namespace preview
