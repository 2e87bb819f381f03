// The connect string a view's Connection object makes, and how messages name its server:
// DSN or driver, the login added only where the string has none, values quoted where they
// would break the string, passwords never shown.
#include <gtest/gtest.h>

#include "components/odbc/OdbcConnectString.h"
#include "tests/components/database/TableSupport.h"

namespace {

struct ConnectionCase
{
    std::string name;
    vfp::ContainerConnection connection;
    std::string connectString;
    std::string shown;
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

class ConnectStringTest : public testing::TestWithParam<ConnectionCase>
{
};

TEST_P(ConnectStringTest, BuiltAndShown)
{
    EXPECT_EQ(database::odbc::connectStringOf(GetParam().connection), GetParam().connectString);
    EXPECT_EQ(database::odbc::dataSourceText(GetParam().connection), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Connections, ConnectStringTest,
    testing::Values(
        ConnectionCase{"data_source_alone", connection("CURSADM", "CURSADM", ""), "DSN=CURSADM;",
                       "the data source CURSADM"},
        ConnectionCase{"login_from_the_properties",
                       connection("Sales", "sales", "", "clerk", "s3cret"),
                       "DSN=sales;UID=clerk;PWD=s3cret;", "the data source sales"},
        ConnectionCase{"password_with_a_semicolon_is_quoted",
                       connection("sales", "sales", "", "clerk", "a;b}c"),
                       "DSN=sales;UID=clerk;PWD={a;b}}c};", "the data source sales"},
        ConnectionCase{"connect_string_names_its_own_data_source",
                       connection("Sales", "ignored", "DSN=live;Database=shop"),
                       "DSN=live;Database=shop;", "the data source live (connection Sales)"},
        ConnectionCase{"login_in_the_string_wins",
                       connection("Sales", "", "DSN=live;UID=boss;PWD=x", "clerk", "s3cret"),
                       "DSN=live;UID=boss;PWD=x;", "the data source live (connection Sales)"},
        ConnectionCase{
            "driver_without_data_source_hides_the_password",
            connection("Direct", "", "Driver={SQL Server};Server=db1;Pwd={p;w}", "clerk"),
            "Driver=SQL Server;Server=db1;Pwd={p;w};UID=clerk;",
            "the connect string Driver=SQL Server;Server=db1;Pwd=***;UID=clerk; "
            "(connection Direct)"},
        ConnectionCase{"data_source_put_before_other_attributes",
                       connection("s", "sales", "Database=shop;Timeout=5"),
                       "DSN=sales;Database=shop;Timeout=5;",
                       "the data source sales (connection s)"},
        ConnectionCase{"nothing_to_connect_to", connection("Empty", "", ""), "",
                       "the connection Empty"}),
    dbtest::CaseName{});

struct SplitCase
{
    std::string name;
    std::string text;
    std::vector<database::odbc::ConnectAttribute> attributes;
};

class SplitTest : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitTest, Attributes)
{
    EXPECT_EQ(database::odbc::splitConnectString(GetParam().text), GetParam().attributes);
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
