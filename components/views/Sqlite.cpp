// SQLite calls with their failures as DatabaseError.
#include "components/views/Sqlite.h"

#include "components/rows/DatabaseError.h"

namespace views {

SqliteDb openMemoryDatabase()
{
    sqlite3* raw = nullptr;
    // One thread uses the database: no locking on every call.
    const int rc =
        sqlite3_open_v2(":memory:", &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK)
        throw rows::DatabaseError(std::string("SQLite cannot open a database in memory: ") +
                                  sqlite3_errstr(rc));
    return db;
}

void check(sqlite3* db, int rc, const std::string& what)
{
    if (rc != SQLITE_OK)
        throw rows::DatabaseError(what + ": " + sqlite3_errmsg(db));
}

void execute(sqlite3* db, const std::string& sql)
{
    check(db, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), "SQLite refused " + sql);
}

Statement prepare(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &raw, nullptr);
    Statement statement(raw);
    check(db, rc, "SQLite cannot run the translated SQL");
    return statement;
}

}  // namespace views
