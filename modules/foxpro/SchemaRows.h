// The walk over the rows of a tables schema that the catalogue of a database container makes.
#pragma once

#include "components/database/Recordset.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/foxpro/TableList.h"

namespace foxpro {

// Adds an item for every row whose "TABLE_TYPE" is exactly "TABLE" or "VIEW" (case and all),
// named by its "TABLE_NAME", in row order, letting window events run once per row. Failures
// are reported through p with the catalogue's statement numbers (114 to 126); an end test or
// a move to the next row that fails is reported once and ends the walk.
void addSchemaRows(app::ReportingProcedure& p, TableList& list, database::Recordset& schema);

}  // namespace foxpro
