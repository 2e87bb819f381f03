// What each ODBC SQL type becomes, for the types the SQLite driver never reports (its own are
// run for real in RemoteViewTest): ADO type and fetch kind, long data by its size.
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

#include "components/odbc/ColumnPlan.h"
#include "components/rows/AdoType.h"
#include "tests/support/TableSupport.h"

namespace {

using database::odbc::ColumnPlan;
using database::odbc::Fetch;

struct PlanCase
{
    std::string name;
    int sqlType;
    std::uint64_t columnSize;
    ColumnPlan plan;
};

class ColumnPlanTest : public testing::TestWithParam<PlanCase>
{
};

TEST_P(ColumnPlanTest, AdoTypeAndFetch)
{
    const ColumnPlan plan = database::odbc::planColumn(GetParam().sqlType, GetParam().columnSize);
    EXPECT_EQ(plan.adoType, GetParam().plan.adoType);
    EXPECT_EQ(static_cast<int>(plan.fetch), static_cast<int>(GetParam().plan.fetch));
}

INSTANTIATE_TEST_SUITE_P(
    SqlTypes, ColumnPlanTest,
    testing::Values(
        PlanCase{"char_keeps_its_type", SQL_CHAR, 10, {database::adChar, Fetch::Text}},
        PlanCase{
            "varchar_max_is_long_text", SQL_VARCHAR, 0, {database::adLongVarChar, Fetch::Text}},
        PlanCase{"varchar_past_8000_is_long_text",
                 SQL_VARCHAR,
                 8001,
                 {database::adLongVarChar, Fetch::Text}},
        PlanCase{"varchar_of_8000_is_not", SQL_VARCHAR, 8000, {database::adVarChar, Fetch::Text}},
        PlanCase{"nchar", SQL_WCHAR, 5, {database::adWChar, Fetch::Text}},
        PlanCase{"nvarchar", SQL_WVARCHAR, 40, {database::adVarWChar, Fetch::Text}},
        PlanCase{"nvarchar_max", SQL_WVARCHAR, 0, {database::adLongVarWChar, Fetch::Text}},
        PlanCase{"ntext", SQL_WLONGVARCHAR, 1 << 30, {database::adLongVarWChar, Fetch::Text}},
        // Exact: money(19,4) or numeric(38,10) read through a double would lose digits.
        PlanCase{"decimal_kept_exact", SQL_DECIMAL, 38, {database::adNumeric, Fetch::Decimal}},
        PlanCase{"numeric_kept_exact", SQL_NUMERIC, 19, {database::adNumeric, Fetch::Decimal}},
        PlanCase{"real_as_a_single", SQL_REAL, 7, {database::adSingle, Fetch::Single}},
        PlanCase{"float_is_a_double", SQL_FLOAT, 15, {database::adDouble, Fetch::Double}},
        PlanCase{
            "varbinary_max_is_long", SQL_VARBINARY, 0, {database::adLongVarBinary, Fetch::Binary}},
        PlanCase{"guid_as_text", SQL_GUID, 36, {database::adGUID, Fetch::Text}},
        PlanCase{"odbc2_date", SQL_DATE, 10, {database::adDBDate, Fetch::Date}},
        PlanCase{"odbc2_timestamp", SQL_TIMESTAMP, 23, {database::adDBTimeStamp, Fetch::Timestamp}},
        PlanCase{"interval_as_text", SQL_INTERVAL_DAY, 10, {database::adVarWChar, Fetch::Text}},
        PlanCase{"a_servers_own_type_as_text", -150, 8000, {database::adVarWChar, Fetch::Text}}),
    dbtest::CaseName{});

}  // namespace
