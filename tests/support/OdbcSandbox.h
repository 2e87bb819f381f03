// The ODBC set-up of a test process: a driver and data sources in a temporary folder that
// ODBCSYSINI and ODBCINI point at (the driver manager reads them once per process), the
// SQLite database behind them, and containers whose remote views use them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace odbctest {

// The data sources (odbc.ini), each used through a connection of the same role:
//   quorvane_shop     the SQLite database shop.db (tables below);
//   quorvane_locked   the driver refuses the login: its database cannot be opened;
//   quorvane_broken   its driver's library is not on disk;
//   quorvane_nowhere  not defined at all.
// shop.db holds
//   kinds(id integer, small smallint, tiny tinyint, big bigint, dbl double, num numeric(8,3),
//         name varchar(10), note text, code char(5), day date, stamp timestamp, clock time,
//         flag bit, raw blob, vb varbinary(4), lvb longvarbinary)
//     1 -7 200 9007199254740993 0.1 3.125 'Zoë' 'line one\nline two' 'ab' '2024-02-29'
//       '2024-02-29 23:59:59.6' '12:34:56' 1 x'00FF' x'0A0B' x'0102'
//     NULL everywhere (the second row)
//   odd(id integer, day date, stamp timestamp): 1 'hello' '2024-13-45 99:00:00'
//   big(data longvarbinary): 50,000 zero bytes and 0xFF
//   kept(id integer): 1, 2, 3
class Sandbox
{
public:
    // Made on first use; null when the SQLite ODBC driver is not installed.
    static const Sandbox* get();

    const std::filesystem::path& folder() const { return mFolder.path(); }
    const std::filesystem::path& database() const { return mDatabase; }
    // The library of the missing driver, as the driver manager names it.
    static constexpr const char* kMissingDriver = "/nonexistent/libquorvane-missing.so";

private:
    explicit Sandbox(const std::string& driver);
    testsupport::TempDir mFolder;
    std::filesystem::path mDatabase;
};

struct RemoteView
{
    RemoteView(std::string viewName, std::string connectionName, std::string viewSql,
               std::string parameterList = {})
        : name(std::move(viewName)),
          connection(std::move(connectionName)),
          sql(std::move(viewSql)),
          parameters(std::move(parameterList))
    {}

    std::string name;
    std::string connection;  // Shop, Locked, Broken, Nowhere, Direct (the SQLite driver by
                             // name, no DSN, no database file), Clerk (Shop with a login), Patient
                             // (Shop with a ConnectTimeout of 7 seconds), Empty (no data source)
    std::string sql;
    std::string parameters;  // ParameterList, "" for none
};

// A connection a test adds by its stored connect string alone.
struct StoredConnection
{
    std::string name;
    std::string connectString;
};

// Writes remote.dbc in folder with the connections named above and `more`, the views given,
// and the member table plain (field N, records "1" and "2"), which reaches no server.
std::filesystem::path writeRemote(const std::filesystem::path& folder,
                                  const std::vector<RemoteView>& views,
                                  const std::vector<StoredConnection>& more = {});

// The name of the SQLite driver the sandbox registers (odbcinst.ini).
inline constexpr const char* kSqliteDriverName = "Quorvane SQLite";

// What the driver manager's trace holds of the last login of this process: from setting its
// time-out to the start of SQLDriverConnect ("Value = 0xf", "Window Hdl = (nil)", "Str In =
// [DSN=...]", "Completion = 0" for no dialog); "" when there was none.
std::string traceOfLastLogin();

// The number of rows of a table of shop.db, read directly (not through ODBC).
long countRows(const std::string& table);

}  // namespace odbctest

// Skips the current test, saying why, when the SQLite ODBC driver is not installed.
#define QUORVANE_REQUIRE_SQLITE_ODBC()                                                \
    do {                                                                              \
        if (odbctest::Sandbox::get() == nullptr)                                      \
            GTEST_SKIP() << "the SQLite ODBC driver (Debian's libsqliteodbc) is not " \
                            "installed; tools/packages.txt lists it";                 \
    } while (0)
