// Which ADO type code and decimals each FoxPro field type comes back with, and how the field
// is declared.
#include "components/rows/AdoType.h"

#include "components/vfp/FieldDescriptor.h"

namespace rows {

int adoTypeOf(const vfp::FieldDescriptor& field)
{
    using vfp::FieldType;
    switch (field.type) {
        case FieldType::Character:
            return field.isBinary ? adBinary : adChar;
        case FieldType::Varchar:
            return field.isBinary ? adVarBinary : adVarChar;
        case FieldType::Varbinary:
            return adVarBinary;
        case FieldType::Memo:
            return field.isBinary ? adLongVarBinary : adLongVarChar;
        case FieldType::General:
        case FieldType::Blob:
        case FieldType::Picture:
            return adLongVarBinary;
        case FieldType::Numeric:
        case FieldType::Float:
            return adNumeric;
        case FieldType::Integer:
            return adInteger;
        case FieldType::Double:
            // In dBase files 'B' is a binary memo rather than a double.
            return field.isMemo ? adLongVarBinary : adDouble;
        case FieldType::Currency:
            return adCurrency;
        case FieldType::Date:
            return adDBDate;
        case FieldType::DateTime:
            return adDBTimeStamp;
        case FieldType::Logical:
            return adBoolean;
        case FieldType::NullFlags:
            break;
    }
    return adEmpty;
}

int numericScaleOf(const vfp::FieldDescriptor& field)
{
    constexpr int kCurrencyDecimals = 4;  // currency is stored as value x 10,000
    switch (adoTypeOf(field)) {
        case adNumeric:
        case adDouble:
            return field.decimals;
        case adCurrency:
            return kCurrencyDecimals;
        default:
            return 0;
    }
}

FieldShape shapeOf(const vfp::FieldDescriptor& field)
{
    return {field.length, numericScaleOf(field),
            field.isNullable() ? adFldIsNullable | adFldMayBeNull : long{0}};
}

}  // namespace rows
