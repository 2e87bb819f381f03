// The connect string we build of a view's Connection object, and how messages and the consent
// question name its server: only a data source or a driver the machine lists, nothing beside a
// data source, no attribute that loads code, names a local file or is the driver manager's,
// values no driver can split, passwords never shown. Good strings next to each way of refusing.
#include <gtest/gtest.h>

#include "components/odbc/OdbcConnectString.h"
#include "components/rows/DatabaseError.h"
#include "tests/support/TableSupport.h"

namespace {

struct ConnectionCase
{
    std::string name;
    vfp::ContainerConnection connection;
    std::string sent;     // the connect string sent; "" when refused
    std::string shown;    // what the consent question shows, or the refusal
    std::string message;  // how messages name the server; "" when refused
};

vfp::ContainerConnection connection(std::string name, std::string dataSource,
                                    std::string connectString, std::string userId = {},
                                    std::string password = {})
{
    vfp::ContainerConnection made;
    made.name = std::move(name);
    made.dataSource = std::move(dataSource);
    made.connectString = std::move(connectString);
    made.userId = std::move(userId);
    made.password = std::move(password);
    return made;
}

// What this machine's odbc.ini and odbcinst.ini list.
const odbc::OdbcSetup kSetup{{"CURSADM", "sales", "live"},
                             {{"SQL Server", "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so"},
                              {"SQLite3", "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so"}}};

ConnectionCase refused(std::string name, vfp::ContainerConnection made, std::string why)
{
    return {std::move(name), std::move(made), {}, std::move(why), {}};
}

class ConnectStringTest : public testing::TestWithParam<ConnectionCase>
{
};

TEST_P(ConnectStringTest, BuiltShownOrRefused)
{
    const ConnectionCase& wanted = GetParam();
    try {
        const odbc::ServerLogin login = odbc::buildConnectString(wanted.connection, kSetup);
        EXPECT_EQ(login.connectString, wanted.sent);
        EXPECT_EQ(login.shown, wanted.shown);
        EXPECT_EQ(odbc::dataSourceText(wanted.connection, login), wanted.message);
    } catch (const rows::DatabaseError& error) {
        EXPECT_EQ(error.what(), wanted.shown);
        EXPECT_TRUE(wanted.sent.empty()) << "refused";
    }
}

const std::string kLong = "DRIVER=SQLite3;Description=" + std::string(6000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Connections, ConnectStringTest,
    testing::Values(
        ConnectionCase{"data_source_alone", connection("CURSADM", "CURSADM", ""), "DSN=CURSADM;",
                       "DSN=CURSADM;", "the data source CURSADM"},
        ConnectionCase{"data_source_sent_as_the_machine_spells_it", connection("s", "SALES", ""),
                       "DSN=sales;", "DSN=sales;", "the data source sales (connection s)"},
        ConnectionCase{"login_from_the_properties_password_hidden",
                       connection("Sales", "sales", "", "clerk", "s3cret"),
                       "DSN=sales;UID=clerk;PWD=s3cret;", "DSN=sales;UID=clerk;PWD=***;",
                       "the data source sales"},
        ConnectionCase{"login_in_the_string_wins",
                       connection("Sales", "", "DSN=live;UID=boss;PWD=x", "clerk", "s3cret"),
                       "DSN=live;UID=boss;PWD=x;", "DSN=live;UID=boss;PWD=***;",
                       "the data source live (connection Sales)"},
        ConnectionCase{"registered_driver_keeps_its_server_attributes",
                       connection("Direct", "", "Driver={SQL Server};Server=db1;Pwd=pw", "clerk"),
                       "DRIVER=SQL Server;Server=db1;UID=clerk;PWD=pw;",
                       "DRIVER=SQL Server;Server=db1;UID=clerk;PWD=***;",
                       "the connect string DRIVER=SQL Server;Server=db1;UID=clerk;PWD=***; "
                       "(connection Direct)"},
        refused("nothing_to_connect_to", connection("Empty", "", ""), "names no data source"),
        refused("data_source_not_defined_here", connection("x", "elsewhere", ""),
                "names the data source elsewhere, which is not defined on this machine "
                "(odbc.ini lists the data sources)"),
        refused("override_beside_a_data_source", connection("x", "", "DSN=live;Database=/other.db"),
                "sets Database beside the data source live; nothing may override a data "
                "source's own settings"),
        refused("override_beside_the_data_source_property",
                connection("x", "sales", "SERVER=elsewhere"),
                "sets SERVER beside the data source sales; nothing may override a data source's "
                "own settings"),
        refused("driver_given_as_a_path", connection("x", "", "DRIVER={/tmp/x.so}"),
                "names the driver /tmp/x.so, a path; only drivers registered by name in "
                "odbcinst.ini are used"),
        refused("driver_not_registered", connection("x", "", "DRIVER=libx.so"),
                "names the driver libx.so, which is not registered on this machine (odbcinst.ini "
                "lists the drivers)"),
        refused("file_dsn", connection("x", "sales", "FILEDSN=/tmp/evil.dsn"),
                "sets FILEDSN, which names a file DSN, whose driver may be any library"),
        refused("driver_manager_environment",
                connection("x", "", "DRIVER=SQLite3;DMEnvAttr=SQL_ATTR_UNIXODBC_ENVATTR={A=1}"),
                "sets DMEnvAttr, which is read by the driver manager itself, which can set "
                "environment variables, load libraries and write trace files from it"),
        refused("sqlite_extension", connection("x", "", "DRIVER=SQLite3;LoadExt=/tmp/x.so"),
                "sets LoadExt, which loads a library"),
        refused("sqlite_database_file", connection("x", "", "DRIVER=sqlite3;Database=/tmp/n.db"),
                "sets Database, which names the database file the SQLite driver opens or creates"),
        refused("log_file_of_a_server_driver",
                connection("x", "", "DRIVER=SQL Server;Server=db1;DumpFile=/tmp/d"),
                "sets DumpFile, which writes a trace or log file"),
        refused("server_of_this_machine", connection("x", "", "DRIVER=SQL Server;Server=localhost"),
                "sets Server, which names a server of this machine, which may log the user in by "
                "their own account"),
        refused("abbreviated_driver_setting", connection("x", "", "DRIVER=SQL Server;AB=x"),
                "sets AB, which is an abbreviated setting whose meaning depends on the driver"),
        refused("attribute_given_twice", connection("x", "", "DRIVER=SQL Server;Server=a;SERVER=b"),
                "sets SERVER twice, which drivers and the driver manager read differently"),
        refused("password_a_driver_could_split",
                connection("x", "sales", "", "clerk", "a;LoadExt=/tmp/x.so"),
                "sets PWD to a value holding \";\", \"{\" or \"}\", which drivers split "
                "differently"),
        refused("control_character", connection("x", "sales", "", "clerk\n"),
                "has a control character in its user name (byte 6)"),
        refused("connect_string_over_1024_bytes", connection("x", "", kLong),
                "has a connect string of 6027 bytes; Quorvane sends none over 1024")),
    dbtest::CaseName{});

struct SplitCase
{
    std::string name;
    std::string text;
    std::vector<odbc::ConnectAttribute> attributes;
};

class SplitTest : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitTest, Attributes)
{
    EXPECT_EQ(odbc::splitConnectString(GetParam().text), GetParam().attributes);
}

INSTANTIATE_TEST_SUITE_P(
    ConnectStrings, SplitTest,
    testing::Values(SplitCase{"plain", "DSN=a;UID=b", {{"DSN", "a"}, {"UID", "b"}}},
                    SplitCase{"braces_hold_semicolons_and_doubled_braces",
                              "PWD={x;y}}z};DSN=a;",
                              {{"PWD", "x;y}z"}, {"DSN", "a"}}},
                    SplitCase{
                        "blanks_around_keys", " DSN =a; UID= b", {{"DSN", "a"}, {"UID", " b"}}},
                    SplitCase{"text_without_equals_is_skipped", "junk;DSN=a;;", {{"DSN", "a"}}},
                    SplitCase{"unclosed_brace_runs_to_the_end", "PWD={x;y", {{"PWD", "x;y"}}},
                    SplitCase{"empty", "", {}}),
    dbtest::CaseName{});

}  // namespace
