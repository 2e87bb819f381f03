// ADO data type codes, as the FoxPro OLE DB provider reports them for each field type, and as
// the OLE DB provider for ODBC reports the columns of a server's result (odbc/ColumnPlan.h);
// the decimals a field type declares.
#pragma once

#include "components/rows/Field.h"

namespace vfp {
struct FieldDescriptor;
}

namespace rows {

enum AdoType : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adDecimal = 14,
    adBigInt = 20,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,  // general, blob and binary memo: the export writes "{BINARY DATA}"
};

// The code the provider reports for a field of a FoxPro table: character 129, varchar 200,
// memo 201, numeric and float 131, integer 3, double 5, currency 6, date 133, date-time 135,
// logical 11; fields kept as bytes: binary character 128, varbinary and binary varchar 204,
// and 205 for general, blob, picture and binary memo.
int adoTypeOf(const vfp::FieldDescriptor& field);

// The NumericScale a field of a FoxPro table reports: numeric, float and double fields their
// declared decimals, currency 4 (the decimals every currency value holds); 0 for the other
// types, integer included.
int numericScaleOf(const vfp::FieldDescriptor& field);

// How a field of a FoxPro table is declared: its width as the header gives it, its NumericScale,
// adFldIsNullable and adFldMayBeNull only when it may hold Null (a _NullFlags bit of its own).
FieldShape shapeOf(const vfp::FieldDescriptor& field);

}  // namespace rows
