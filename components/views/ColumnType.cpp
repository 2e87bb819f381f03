// A field's type for the translator, and a column type's ADO code.
#include "components/views/ColumnType.h"

#include "components/rows/AdoType.h"

namespace views {

foxsql::SqlType typeOfField(const vfp::FieldDescriptor& field)
{
    foxsql::SqlType type = foxsql::SqlType::of(static_cast<char>(field.type));
    if (type.hasWidth())
        type.width = field.length;
    if (type.letter == 'N' || type.letter == 'F' || type.letter == 'B')
        type.decimals = field.decimals;
    type.binary =
        field.isBinary && (type.letter == 'C' || type.letter == 'V' || type.letter == 'M');
    // dBase 'B' is a binary memo, not a double.
    if (type.letter == 'B' && field.isMemo)
        type = foxsql::SqlType::of('W');
    return type;
}

namespace {

// A table field of the type, for the provider's rules of table fields.
vfp::FieldDescriptor fieldOfType(const foxsql::SqlType& type)
{
    vfp::FieldDescriptor field;
    field.type = static_cast<vfp::FieldType>(type.letter);
    field.decimals = type.decimals;
    field.isBinary = type.isBinary();
    field.isMemo =
        type.letter == 'M' || type.letter == 'G' || type.letter == 'W' || type.letter == 'P';
    return field;
}

}  // namespace

int adoTypeOf(const foxsql::SqlType& type)
{
    return type.known() ? rows::adoTypeOf(fieldOfType(type)) : rows::adChar;
}

int numericScaleOf(const foxsql::SqlType& type)
{
    return type.known() ? rows::numericScaleOf(fieldOfType(type)) : 0;
}

}  // namespace views
