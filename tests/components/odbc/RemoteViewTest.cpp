// Remote views run through unixODBC and Debian's SQLite ODBC driver: every column kind the
// driver reports, Null, values that need care (long, beyond the basic plane, no real date),
// and each way reaching the server can fail, with the message the user reads.
#include <gtest/gtest.h>

#include "components/rows/AdoType.h"
#include "components/rows/DatabaseError.h"
#include "tests/support/OdbcSandbox.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

using dbtest::ReadTable;
using dbtest::Row;
using odbctest::RemoteView;

ReadTable runView(const RemoteView& view)
{
    testsupport::TempDir folder;
    const auto dbc = odbctest::writeRemote(folder.path(), {view});
    return dbtest::readTable(dbc, QString::fromStdString(view.name), true);
}

std::string openingError(const RemoteView& view)
{
    try {
        runView(view);
    } catch (const rows::DatabaseError& error) {
        return error.what();
    }
    return {};
}

// --- Every kind of column the driver reports -------------------------------------------------

struct KindCase
{
    std::string name;  // the column of kinds
    int adoType;
    std::string text;  // its cell text in row 1; row 2 is Null
};

class ColumnKindTest : public testing::TestWithParam<KindCase>
{
};

TEST_P(ColumnKindTest, TypeAndValueAndNull)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    const KindCase& wanted = GetParam();
    const ReadTable table = runView({"everything", "Shop", "SELECT * FROM kinds ORDER BY rowid"});
    const auto at = std::find(table.names.begin(), table.names.end(), wanted.name);
    ASSERT_NE(at, table.names.end()) << "no column " << wanted.name;
    const auto column = static_cast<std::size_t>(at - table.names.begin());
    EXPECT_EQ(table.types[column], wanted.adoType);
    // The driver describes every column with 0 decimal digits, numeric(8,3) too.
    EXPECT_EQ(table.scales[column], 0);
    ASSERT_EQ(table.count, 2);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0][column], wanted.text);
    EXPECT_EQ(table.rows[1][column], "<null>");
}

INSTANTIATE_TEST_SUITE_P(
    SqliteDriver, ColumnKindTest,
    testing::Values(
        KindCase{"id", rows::adInteger, "1"}, KindCase{"small", rows::adSmallInt, "-7"},
        KindCase{"tiny", rows::adSmallInt, "200"},
        // Beyond a double's 53 bits: read as digits, not through a floating-point number.
        KindCase{"big", rows::adBigInt, "9007199254740993"}, KindCase{"dbl", rows::adDouble, "0.1"},
        KindCase{"num", rows::adDouble, "3.125"},  // the driver reports numeric as double
        KindCase{"name", rows::adVarChar, "Zoë"},
        KindCase{"note", rows::adLongVarChar, "line one\nline two"},
        KindCase{"code", rows::adVarChar, "ab"},  // SQLite neither pads nor says CHAR
        KindCase{"day", rows::adDBDate, "2024-02-29"},
        // 23:59:59.6 rounds to whole seconds, into the next day and month.
        KindCase{"stamp", rows::adDBTimeStamp, "2024-03-01 00:00:00"},
        KindCase{"clock", rows::adDBTime, "12:34:56"}, KindCase{"flag", rows::adBoolean, "True"},
        KindCase{"raw", rows::adBinary, "00FF"}, KindCase{"vb", rows::adVarBinary, "0A0B"},
        KindCase{"lvb", rows::adLongVarBinary, "0102"}),
    dbtest::CaseName{});

// --- Results that need care -----------------------------------------------------------------

struct ResultCase
{
    std::string name;
    RemoteView view;
    std::vector<std::string> names;
    std::vector<Row> rows;
};

class ResultTest : public testing::TestWithParam<ResultCase>
{
};

TEST_P(ResultTest, NamesAndRows)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    const ResultCase& wanted = GetParam();
    const ReadTable table = runView(wanted.view);
    EXPECT_EQ(table.names, wanted.names);
    EXPECT_EQ(table.count, static_cast<long>(wanted.rows.size()));
    EXPECT_EQ(table.rows, wanted.rows);
}

const std::string kLongText = std::string(100000, 'x') + "\xF0\x9F\x98\x80";  // x..x and U+1F600

INSTANTIATE_TEST_SUITE_P(
    SqliteDriver, ResultTest,
    testing::Values(ResultCase{"empty_result_keeps_its_columns",
                               {"none", "Shop", "SELECT id, name FROM kinds WHERE id > 9"},
                               {"id", "name"},
                               {}},
                    ResultCase{"names_in_lower_case_and_unnamed_columns_named",
                               {"named", "Shop",
                                "SELECT id AS MixedCase, 7 AS \"\" FROM kinds WHERE id = 1"},
                               {"mixedcase", "exp_2"},
                               {{"1", "7"}}},
                    ResultCase{"text_beyond_the_basic_plane_and_long_text_in_pieces",
                               {"long", "Shop",
                                "SELECT printf('%.*c', 100000, 'x') || char(128512) AS body, "
                                "'Zoë €' || char(128512) AS short"},
                               {"body", "short"},
                               {{kLongText, "Zoë €\xF0\x9F\x98\x80"}}},
                    ResultCase{"long_binary_in_pieces",
                               {"big", "Shop", "SELECT data FROM big"},
                               {"data"},
                               {{std::string(100000, '0') + "FF"}}},
                    ResultCase{"a_date_that_is_no_date_keeps_its_text",
                               {"odd", "Shop", "SELECT day, stamp FROM odd"},
                               {"day", "stamp"},
                               {{"hello", "2024-13-45 99:00:00"}}},
                    ResultCase{"connect_string_without_a_data_source_name",
                               {"direct", "Direct", "SELECT 7 AS seven"},
                               {"seven"},
                               {{"7"}}},
                    ResultCase{"login_passed_to_a_server_that_needs_none",
                               {"clerk", "Clerk", "SELECT count(*) AS n FROM kept"},
                               {"n"},
                               {{"3"}}}),
    dbtest::CaseName{});

// --- Failures ---------------------------------------------------------------------------------

struct FailureCase
{
    std::string name;
    RemoteView view;
    std::string message;
};

class FailureTest : public testing::TestWithParam<FailureCase>
{
};

TEST_P(FailureTest, OneClearMessage)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    EXPECT_EQ(openingError(GetParam().view), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    SqliteDriver, FailureTest,
    testing::Values(
        FailureCase{"data_source_not_defined",
                    {"v", "Nowhere", "SELECT 1"},
                    "The view v of remote.dbc cannot be opened: its connection Nowhere names the "
                    "data source quorvane_nowhere, which is not defined on this machine (odbc.ini "
                    "lists the data sources)."},
        FailureCase{"driver_missing",
                    {"v", "Broken", "SELECT 1"},
                    "The view v of remote.dbc cannot be opened: the data source quorvane_broken "
                    "(connection Broken) cannot be reached: [unixODBC][Driver Manager]Can't open "
                    "lib '/nonexistent/libquorvane-missing.so' : file not found (SQLSTATE "
                    "01000)."},
        FailureCase{"login_refused",
                    {"v", "Locked", "SELECT 1"},
                    "The view v of remote.dbc cannot be opened: the data source quorvane_locked "
                    "(connection Locked) cannot be reached: [SQLite]connect failed (SQLSTATE "
                    "HY000)."},
        FailureCase{"sql_refused_by_the_server",
                    {"v", "Shop", "SELECT nosuch FROM kinds"},
                    "The view v of remote.dbc cannot be opened: the data source quorvane_shop "
                    "(connection Shop) refuses its SQL: [SQLite]no such column: nosuch (1) "
                    "(SQLSTATE HY000)."},
        FailureCase{"parameterised_view",
                    {"v", "Shop", "SELECT * FROM kinds WHERE id = ?wanted", "wanted,'N'"},
                    "The view v of remote.dbc cannot be opened: it asks for the parameters "
                    "wanted when it is opened, which only FoxPro can do."},
        FailureCase{"connection_not_in_the_container",
                    {"v", "Gone", "SELECT 1"},
                    "The view v of remote.dbc cannot be opened: it reads through the connection "
                    "Gone, which remote.dbc does not hold."},
        FailureCase{"connection_without_data_source",
                    {"v", "Empty", "SELECT 1"},
                    "The view v of remote.dbc cannot be opened: its connection Empty names no "
                    "data source."}),
    dbtest::CaseName{});

// --- The login: never a dialog, never an endless wait ------------------------------------

struct LoginCase
{
    std::string name;
    std::string connection;
    std::string timeout;    // as the driver manager's trace shows it
    std::string connectIn;  // the connect string as the trace shows it, with its length
};

class LoginTest : public testing::TestWithParam<LoginCase>
{
};

TEST_P(LoginTest, NoDialogAndABoundedWait)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    runView({"v", GetParam().connection, "SELECT 1 AS one"});
    const std::string login = odbctest::traceOfLastLogin();
    EXPECT_NE(login.find("SQL_ATTR_LOGIN_TIMEOUT\n\t\t\tValue = " + GetParam().timeout + "\n"),
              std::string::npos)
        << login;
    EXPECT_NE(login.find("Window Hdl = (nil)\n"), std::string::npos) << login;
    EXPECT_NE(login.find("Str In = " + GetParam().connectIn + " (SQL_NTS)]"), std::string::npos)
        << login;
    EXPECT_NE(login.find("Completion = 0\n"), std::string::npos) << "SQL_DRIVER_NOPROMPT\n"
                                                                 << login;
}

INSTANTIATE_TEST_SUITE_P(
    SqliteDriver, LoginTest,
    testing::Values(LoginCase{"fifteen_seconds_when_the_connection_sets_none", "Shop", "0xf",
                              "[DSN=quorvane_shop;][length = 18"},
                    LoginCase{"the_connections_own_time_out", "Patient", "0x7",
                              "[DSN=quorvane_shop;][length = 18"},
                    LoginCase{"user_and_password_from_the_container", "Clerk", "0xf",
                              // The trace hides the password; the length counts its 6 bytes.
                              "[DSN=quorvane_shop;UID=clerk;PWD=******;][length = 39"}),
    dbtest::CaseName{});

// SQL that is no query fails, and what it did is rolled back: the export only ever reads.
TEST(RemoteViewTest, SqlThatChangesDataIsRolledBack)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    EXPECT_EQ(openingError({"wipe", "Shop", "DELETE FROM kept"}),
              "The view wipe of remote.dbc cannot be opened: its SQL gives no rows, so it is no "
              "query; what it did on the data source quorvane_shop (connection Shop) is rolled "
              "back where the server keeps transactions.");
    EXPECT_EQ(odbctest::countRows("kept"), 3);
}

}  // namespace
