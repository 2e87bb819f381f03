// A field's declaration as the field list shows it.
#include "modules/preview/FieldModel.h"

#include "components/rows/AdoType.h"
#include "modules/preview/PreviewTexts.h"

namespace preview {
namespace {

bool hasDecimals(int adoType)
{
    return adoType == rows::adNumeric || adoType == rows::adDecimal || adoType == rows::adDouble;
}

}  // namespace

int FieldModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(mFields.size());
}

int FieldModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FieldModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const rows::Field& field = mFields[std::size_t(index.row())];
    switch (index.column()) {
        case Name:
            return field.name();
        case Type:
            return fieldTypeName(field.Type());
        case Width:
            return field.DefinedSize() > 0 ? QString::number(field.DefinedSize()) : QString();
        case Decimals:
            return hasDecimals(field.Type()) ? QString::number(field.NumericScale()) : QString();
        case Null:
            return yesNo((field.Attributes() & rows::adFldIsNullable) != 0);
        default:
            return {};
    }
}

QVariant FieldModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? fieldColumnTitle(section) : QVariant(section + 1);
}

}  // namespace preview
