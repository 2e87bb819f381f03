// A value of a view's result as the recordset hands it out: SQLite's value turned into the
// kind the column's FoxPro type gives a table field of that type.
#pragma once

#include "components/foxsql/SqlType.h"
#include "components/vfp/Value.h"

struct sqlite3_stmt;

namespace views {

// Column `column` of the statement's current row into out (its buffer reused):
//   C(n) text padded with blanks to n characters (never cut), V and M text; N and F the
//   number rounded to the declared decimals (width 0: as computed, 15 significant digits);
//   I integer, B double, Y currency (four decimals), L logical, D date, T date-time;
//   G, W, P, Q and NOCPTRANS types bytes. A type not known keeps SQLite's value as text.
//   NULL is Null. A value that is not of the column's kind (a date column holding other
//   text) keeps its text rather than being lost.
void readResultValue(sqlite3_stmt* statement, int column, const foxsql::SqlType& type,
                     vfp::Value& out);

}  // namespace views
