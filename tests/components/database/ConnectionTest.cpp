// Opening a connection on a container or a folder, the tables schema and its order, and the
// tables of a container with their long field names.
#include <gtest/gtest.h>

#include "components/rows/DatabaseError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

using vfp::FieldType;

std::string openError(const QString& connectionString)
{
    database::Connection connection;
    try {
        connection.Open(connectionString);
    } catch (const rows::DatabaseError& error) {
        EXPECT_EQ(connection.State(), 0);
        return error.what();
    }
    return "opened";
}

std::vector<std::string> schemaRows(database::Connection& connection)
{
    std::vector<std::string> rows;
    const auto schema = connection.OpenSchema(database::adSchemaTables);
    for (; !schema->Eof(); schema->MoveNext())
        rows.push_back(database::toText(schema->Fields(QStringLiteral("TABLE_TYPE")).Value()) +
                       " " +
                       database::toText(schema->Fields(QStringLiteral("TABLE_NAME")).Value()));
    EXPECT_EQ(static_cast<long>(rows.size()), schema->RecordCount());
    return rows;
}

// A container with tables and views named so that container order, case-sensitive order
// and case-insensitive order all differ.
class ContainerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        mDbc = mDir.path() / "Shop.DBC";
        vfpwriter::ContainerWriter dbc(mDbc);
        vfpwriter::TableWriter orders = dbc.createTable(
            "OrderDetails", "data/orderdetails.dbf",
            {{"shippostalcode", FieldType::Character, 6}, {"OrderID", FieldType::Integer}});
        orders.append({dbtest::text("K1A"), dbtest::integer(11077)});
        orders.close();
        for (const char* name : {"employees", "B_table", "EmployeeTerritories", "a_table"})
            dbc.createTable(name, std::string(name) + ".dbf", {{"id", FieldType::Integer}}).close();
        dbc.addView("orders_qry", "SELECT * FROM orderdetails");
        dbc.addView("Order_Subtotals", "SELECT * FROM orderdetails");
        dbc.close();
    }

    testsupport::TempDir mDir;
    std::filesystem::path mDbc;
};

TEST_F(ContainerTest, SchemaListsTablesThenViewsEachSortedIgnoringCase)
{
    database::Connection connection;
    connection.Open(dbtest::connectionString(mDbc));
    EXPECT_EQ(schemaRows(connection),
              (std::vector<std::string>{"TABLE a_table", "TABLE B_table", "TABLE employees",
                                        "TABLE EmployeeTerritories", "TABLE OrderDetails",
                                        "VIEW Order_Subtotals", "VIEW orders_qry"}));
}

TEST_F(ContainerTest, TableByNameIgnoringCaseWithLongFieldNames)
{
    const dbtest::ReadTable table = dbtest::readTable(mDbc, QStringLiteral("ORDERDETAILS"));
    EXPECT_EQ(table.names, (std::vector<std::string>{"shippostalcode", "orderid"}));
    EXPECT_EQ(table.rows, (std::vector<dbtest::Row>{{"K1A   ", "11077"}}));
}

TEST_F(ContainerTest, MemberTableInAFolderKeepsTheContainersLongNames)
{
    const dbtest::ReadTable table =
        dbtest::readTable(mDir.path(), QStringLiteral("data/orderdetails"));
    EXPECT_EQ(table.names, (std::vector<std::string>{"shippostalcode", "orderid"}));
}

TEST_F(ContainerTest, UnknownNameAndFreeTableBesideItAreRefused)
{
    vfpwriter::TableWriter free(mDir.path() / "loose.dbf", {{"ID", FieldType::Integer}});
    free.close();
    EXPECT_THROW(dbtest::readTable(mDbc, QStringLiteral("nosuch")), rows::DatabaseError);
    EXPECT_THROW(dbtest::readTable(mDbc, QStringLiteral("data/orderdetails")), rows::DatabaseError);
}

TEST(FolderSchema, ListsTablesOfTheFolderOnlyByLowerCaseName)
{
    testsupport::TempDir dir;
    for (const char* file : {"Zeta.DBF", "alpha.dbf", "Beta.dbf", "sub/deeper.dbf"}) {
        std::filesystem::create_directories((dir.path() / file).parent_path());
        vfpwriter::TableWriter(dir.path() / file, {{"ID", FieldType::Integer}}).close();
    }
    dir.write("readme.txt", "");
    dir.write(".dbf", "");
    database::Connection connection;
    connection.Open(dbtest::connectionString(dir.path()));
    EXPECT_EQ(schemaRows(connection),
              (std::vector<std::string>{"TABLE alpha", "TABLE beta", "TABLE zeta"}));
}

struct OpenCase
{
    const char* name;
    const char* relative;  // data source below the test folder
    const char* outcome;   // "opened", or part of the error description
};

class ConnectionOpenTest : public testing::TestWithParam<OpenCase>
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(mDir.path() / "free;tables");
        vfpwriter::ContainerWriter(mDir.path() / "good.dbc").close();
        vfpwriter::ContainerWriter(mDir.path() / "UPPER.DBC").close();
        mDir.write("garbage.dbc", std::string(600, 'x'));
        vfpwriter::TableWriter(mDir.path() / "table.dbf", {{"ID", FieldType::Integer}}).close();
        std::filesystem::create_directories(mDir.path() / "folder.dbc");
    }

    testsupport::TempDir mDir;
};

TEST_P(ConnectionOpenTest, OpensOrSaysWhy)
{
    const std::string outcome =
        openError(dbtest::connectionString(mDir.path() / GetParam().relative));
    if (std::string(GetParam().outcome) == "opened")
        EXPECT_EQ(outcome, "opened");
    else
        EXPECT_NE(outcome.find(GetParam().outcome), std::string::npos) << outcome;
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ConnectionOpenTest,
    testing::Values(OpenCase{"folder", ".", "opened"},
                    OpenCase{"folder_with_semicolon", "free;tables", "opened"},
                    OpenCase{"container", "good.dbc", "opened"},
                    OpenCase{"container_upper_case_extension", "UPPER.DBC", "opened"},
                    OpenCase{"missing_container", "missing.dbc", "does not exist"},
                    OpenCase{"damaged_container", "garbage.dbc", "garbage.dbc"},
                    OpenCase{"folder_named_dbc", "folder.dbc", "not a file"},
                    OpenCase{"missing_folder", "nowhere", "does not exist"},
                    OpenCase{"table_file_as_folder", "table.dbf", "neither a folder nor"}),
    dbtest::CaseName());

TEST(ConnectionState, OpenCloseAndTheCallsItRefuses)
{
    testsupport::TempDir dir;
    database::Connection connection;
    EXPECT_EQ(connection.State(), 0);
    EXPECT_THROW(connection.OpenSchema(database::adSchemaTables), rows::DatabaseError);
    connection.Open(dbtest::connectionString(dir.path()));
    EXPECT_EQ(connection.State(), 1);
    EXPECT_THROW(connection.Open(dbtest::connectionString(dir.path())), rows::DatabaseError);
    EXPECT_THROW(connection.OpenSchema(4), rows::DatabaseError) << "columns schema";
    connection.Close();
    EXPECT_EQ(connection.State(), 0);
    connection.Open(dbtest::connectionString(dir.path()));
    EXPECT_EQ(connection.State(), 1);
}

}  // namespace
