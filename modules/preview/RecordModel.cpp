// The cells of the records grid and the roles every records model answers alike.
#include "modules/preview/RecordModel.h"

#include <string>

#include "components/database/Variant.h"
#include "components/rows/AdoType.h"
#include "components/rows/DatabaseError.h"
#include "modules/export/ExportTexts.h"
#include "modules/preview/PreviewTexts.h"

namespace preview {

namespace {

// Pads a number's exact text with zeros to the decimals its field declares, as the workbook
// shows it ("12.5" in an N(8,2) field reads "12.50"). Longer fractions and exponents stay as
// they are: the grid never rounds a value.
void padDecimals(std::string& text, int decimals)
{
    if (text.find_first_not_of("-0123456789.") != std::string::npos)
        return;  // "1e+300", "inf"
    const std::size_t point = text.find('.');
    const int have = point == std::string::npos ? 0 : int(text.size() - point - 1);
    if (have >= decimals)
        return;
    if (point == std::string::npos)
        text += '.';
    text.append(std::size_t(decimals - have), '0');
}

bool isNumber(const vfp::Value& value)
{
    using Kind = vfp::Value::Kind;
    return value.kind == Kind::Decimal || value.kind == Kind::Double ||
           value.kind == Kind::Currency;
}

}  // namespace

Cell cellOf(const rows::Field& field)
{
    const vfp::Value* value = nullptr;
    try {
        value = &field.Value();
    } catch (const rows::DatabaseError& error) {
        return {QString::fromUtf8(error.what()), CellState::Unreadable};
    }
    if (value->isNull())
        return {QString::fromLatin1(kNullText), CellState::Null};
    if (field.Type() == rows::adLongVarBinary)
        return {QString::fromLatin1(exporting::kBinaryDataText), CellState::Value};
    std::string text;
    database::appendText(*value, text);
    if (field.NumericScale() > 0 && isNumber(*value))
        padDecimals(text, field.NumericScale());
    return {QString::fromUtf8(text), CellState::Value};
}

RecordModel::RecordModel(std::vector<rows::Field> fields) : mFields(std::move(fields)) {}

int RecordModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(mFields.size());
}

QVariant RecordModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
        case Qt::DisplayRole: {
            Cell shown = cell(index.row(), index.column(), false);
            return shown.state == CellState::Unreadable ? QString::fromLatin1(kUnreadableText)
                                                        : shown.text;
        }
        case WholeTextRole:
            return cell(index.row(), index.column(), true).text;
        case CellStateRole:
            return static_cast<int>(cell(index.row(), index.column(), false).state);
        case DeletedRole:
            return deleted(index.row());
        default:
            return {};
    }
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role != Qt::DisplayRole || section < 0 || section >= columnCount())
            return {};
        return mFields[static_cast<std::size_t>(section)].name();
    }
    if (section < 0 || section >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return recordHeaderText(section + 1L, deleted(section));
    if (role == DeletedRole)
        return deleted(section);
    return {};
}

Qt::ItemFlags RecordModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace preview
