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

int adoTypeOf(const foxsql::SqlType& type)
{
    if (!type.known())
        return rows::adChar;
    vfp::FieldDescriptor field;
    field.type = static_cast<vfp::FieldType>(type.letter);
    field.isBinary = type.isBinary();
    field.isMemo =
        type.letter == 'M' || type.letter == 'G' || type.letter == 'W' || type.letter == 'P';
    return rows::adoTypeOf(field);
}

}  // namespace views
