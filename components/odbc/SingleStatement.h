// Whether a remote view's SQL is one statement, read as every common SQL dialect reads it, so
// that a container cannot slip a second statement (a COMMIT, a DELETE) past the read-only query.
#pragma once

#include <string>
#include <string_view>

namespace odbc {

// "" when `sql` is one statement in each of standard SQL, MySQL, PostgreSQL, SQL Server and
// SQLite: no ";" outside quotes and comments except one at the end followed only by blanks,
// no quote or comment left open, no NUL byte. Otherwise why not, as a clause that follows "its
// SQL ...": "is more than one statement: PostgreSQL reads a \";\" outside quotes and comments
// at character 9". Quotes: '' and "" (backslash escapes in MySQL), `` (MySQL, SQLite), []
// (SQL Server, SQLite), $tag$ (PostgreSQL); comments: -- and /* */ (nested in PostgreSQL and
// SQL Server), # (MySQL), whose /*! ... */ is read as SQL.
std::string whyNotOneStatement(std::string_view sql);

}  // namespace odbc
