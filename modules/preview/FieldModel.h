// The preview's field list as a Qt model: one row per field with its name, type, width,
// decimals and whether it allows Null, as the source declares them. Read-only.
#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "components/rows/Field.h"

namespace preview {

class FieldModel final : public QAbstractTableModel
{
public:
    enum Column : int { Name, Type, Width, Decimals, Null, ColumnCount };

    explicit FieldModel(std::vector<rows::Field> fields) : mFields(std::move(fields)) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // The width is blank when the source does not say it, the decimals for fields without any.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<rows::Field> mFields;
};

}  // namespace preview
