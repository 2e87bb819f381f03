// Types between the engine, the translator and the recordset: the translator's type of a
// table's field, and the ADO code and decimals a view's column of a type reports.
#pragma once

#include "components/foxsql/SqlType.h"
#include "components/vfp/FieldDescriptor.h"

namespace views {

// The type of a table field.
foxsql::SqlType typeOfField(const vfp::FieldDescriptor& field);

// The ADO type code a column of this type reports (as a table field of that type would);
// a type not known reports adChar.
int adoTypeOf(const foxsql::SqlType& type);

// The NumericScale a column of this type reports (as a table field of that type would): the
// decimals of N, F and B, 4 for currency; 0 where the type declares none or is not known.
int numericScaleOf(const foxsql::SqlType& type);

}  // namespace views
