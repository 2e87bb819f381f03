// Owning handles for SQLite connections and statements, and calls that turn SQLite failures
// into DatabaseError.
#pragma once

#include <memory>
#include <string>

#include <sqlite3.h>

namespace views {

struct SqliteCloser
{
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteDb = std::unique_ptr<sqlite3, SqliteCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// A private in-memory database. Throws DatabaseError when SQLite cannot make one.
SqliteDb openMemoryDatabase();

// Runs sql (no rows expected). Throws DatabaseError with SQLite's message.
void execute(sqlite3* db, const std::string& sql);

// Prepares one statement. Throws DatabaseError with SQLite's message.
Statement prepare(sqlite3* db, const std::string& sql);

// Throws DatabaseError "<what>: <SQLite's message>" unless rc is SQLITE_OK.
void check(sqlite3* db, int rc, const std::string& what);

}  // namespace views
