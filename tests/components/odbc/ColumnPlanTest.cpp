// What each ODBC SQL type becomes, for the types the SQLite driver never reports (its own are
// run for real in RemoteViewTest): ADO type and fetch kind, long data by its size, decimals
// where the type has a scale.
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

#include "components/odbc/ColumnPlan.h"
#include "components/rows/AdoType.h"
#include "tests/support/TableSupport.h"

namespace {

using odbc::ColumnPlan;
using odbc::Fetch;

struct PlanCase
{
    std::string name;
    int sqlType;
    std::uint64_t columnSize;
    ColumnPlan plan;
    int decimalDigits = 0;  // as SQLDescribeCol gives them
};

class ColumnPlanTest : public testing::TestWithParam<PlanCase>
{
};

TEST_P(ColumnPlanTest, AdoTypeAndFetch)
{
    const ColumnPlan plan =
        odbc::planColumn(GetParam().sqlType, GetParam().columnSize, GetParam().decimalDigits);
    EXPECT_EQ(plan.adoType, GetParam().plan.adoType);
    EXPECT_EQ(static_cast<int>(plan.fetch), static_cast<int>(GetParam().plan.fetch));
    EXPECT_EQ(plan.numericScale, GetParam().plan.numericScale);
}

INSTANTIATE_TEST_SUITE_P(
    SqlTypes, ColumnPlanTest,
    testing::Values(
        PlanCase{"char_keeps_its_type", SQL_CHAR, 10, {rows::adChar, Fetch::Text}},
        PlanCase{"varchar_max_is_long_text", SQL_VARCHAR, 0, {rows::adLongVarChar, Fetch::Text}},
        PlanCase{"varchar_past_8000_is_long_text",
                 SQL_VARCHAR,
                 8001,
                 {rows::adLongVarChar, Fetch::Text}},
        PlanCase{"varchar_of_8000_is_not", SQL_VARCHAR, 8000, {rows::adVarChar, Fetch::Text}},
        PlanCase{"nchar", SQL_WCHAR, 5, {rows::adWChar, Fetch::Text}},
        PlanCase{"nvarchar", SQL_WVARCHAR, 40, {rows::adVarWChar, Fetch::Text}},
        PlanCase{"nvarchar_max", SQL_WVARCHAR, 0, {rows::adLongVarWChar, Fetch::Text}},
        PlanCase{"ntext", SQL_WLONGVARCHAR, 1 << 30, {rows::adLongVarWChar, Fetch::Text}},
        // Exact: money(19,4) or numeric(38,10) read through a double would lose digits.
        PlanCase{"decimal_kept_exact", SQL_DECIMAL, 38, {rows::adNumeric, Fetch::Decimal}},
        PlanCase{"numeric_kept_exact", SQL_NUMERIC, 19, {rows::adNumeric, Fetch::Decimal}},
        PlanCase{"money_shows_its_four_decimals",
                 SQL_DECIMAL,
                 19,
                 {rows::adNumeric, Fetch::Decimal, 4},
                 4},
        // Some drivers describe a number of no declared scale with a negative one.
        PlanCase{"negative_scale_shows_no_decimals",
                 SQL_NUMERIC,
                 38,
                 {rows::adNumeric, Fetch::Decimal, 0},
                 -127},
        PlanCase{"timestamp_second_digits_are_no_decimals",
                 SQL_TYPE_TIMESTAMP,
                 23,
                 {rows::adDBTimeStamp, Fetch::Timestamp, 0},
                 3},
        PlanCase{
            "double_digits_are_no_decimals", SQL_DOUBLE, 15, {rows::adDouble, Fetch::Double, 0}, 2},
        PlanCase{"real_as_a_single", SQL_REAL, 7, {rows::adSingle, Fetch::Single}},
        PlanCase{"float_is_a_double", SQL_FLOAT, 15, {rows::adDouble, Fetch::Double}},
        PlanCase{"varbinary_max_is_long", SQL_VARBINARY, 0, {rows::adLongVarBinary, Fetch::Binary}},
        PlanCase{"guid_as_text", SQL_GUID, 36, {rows::adGUID, Fetch::Text}},
        PlanCase{"odbc2_date", SQL_DATE, 10, {rows::adDBDate, Fetch::Date}},
        PlanCase{"odbc2_timestamp", SQL_TIMESTAMP, 23, {rows::adDBTimeStamp, Fetch::Timestamp}},
        PlanCase{"interval_as_text", SQL_INTERVAL_DAY, 10, {rows::adVarWChar, Fetch::Text}},
        PlanCase{"a_servers_own_type_as_text", -150, 8000, {rows::adVarWChar, Fetch::Text}}),
    dbtest::CaseName{});

}  // namespace
