// The one query shape the recordset runs: every field of one table or view.
#pragma once

#include <QString>

namespace database {

// Returns NAME from "SELECT * FROM `NAME`": the text between the first back-quote after the
// keywords and the final back-quote, so NAME may itself hold back-quotes and brackets. The
// keywords are matched ignoring letter case, with the single blanks written above.
// Throws DatabaseError for any other text (other SQL, a missing back-quote, an empty name).
QString tableNameFromQuery(const QString& query);

}  // namespace database
