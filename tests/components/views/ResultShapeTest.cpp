// The columns a view reports: FoxPro's names, the provider's types and decimals.
#include <gtest/gtest.h>

#include "components/rows/AdoType.h"
#include "tests/components/views/ViewTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using namespace rows;

struct ColumnsCase
{
    std::string name;
    std::string view;  // SQL of the view "v"
    std::vector<std::string> names;
    std::vector<int> types;
    std::vector<int> scales;  // NumericScale
};

class ColumnsTest : public testing::TestWithParam<ColumnsCase>
{
};

TEST_P(ColumnsTest, NamesAndTypesAsFoxProGivesThem)
{
    const ColumnsCase& c = GetParam();
    testsupport::TempDir folder;
    const auto dbc = viewtest::writeShop(folder.path(), {{"v", c.view}});
    const dbtest::ReadTable table = dbtest::readTable(dbc, QStringLiteral("v"));
    EXPECT_EQ(table.names, c.names);
    EXPECT_EQ(table.types, c.types);
    EXPECT_EQ(table.scales, c.scales);
}

INSTANTIATE_TEST_SUITE_P(
    Views, ColumnsTest,
    testing::Values(
        ColumnsCase{"aliases_fields_aggregates_and_expressions",
                    "SELECT id, name AS who, COUNT(*), SUM(balance), id + 1, MAX(born), "
                    "AVG(rate) FROM people GROUP BY id, name",
                    {"id", "who", "cnt", "sum_balance", "exp_5", "max_born", "avg_rate"},
                    {adInteger, adChar, adNumeric, adCurrency, adNumeric, adDBDate, adNumeric},
                    {0, 0, 0, 4, 0, 0, 0}},
        ColumnsCase{"field_types_pass_through",
                    "SELECT stamp, member, notes, rate FROM people",
                    {"stamp", "member", "notes", "rate"},
                    {adDBTimeStamp, adBoolean, adLongVarChar, adNumeric},
                    {0, 0, 0, 2}},
        ColumnsCase{"names_given_twice_get_letters",
                    "SELECT p.id, o.id, o.person FROM people p JOIN orders o ON p.id = o.person",
                    {"id_a", "id_b", "person"},
                    {adInteger, adInteger, adInteger},
                    {0, 0, 0}},
        ColumnsCase{"letters_pass_over_names_in_use",
                    "SELECT id, id AS id_a, id FROM people",
                    {"id_b", "id_a", "id_c"},
                    {adInteger, adInteger, adInteger},
                    {0, 0, 0}},
        ColumnsCase{
            "star_over_a_join_keeps_table_order",
            "SELECT * FROM orders o JOIN people p ON p.id = o.person WHERE p.id = 0",
            {"id_a", "person", "amount", "day", "code", "id_b", "name", "first", "last", "born",
             "stamp", "member", "balance", "rate", "notes"},
            {adInteger, adInteger, adCurrency, adDBDate, adChar, adInteger, adChar, adChar, adChar,
             adDBDate, adDBTimeStamp, adBoolean, adCurrency, adNumeric, adLongVarChar},
            {0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 2, 0}},
        ColumnsCase{"sum_and_min_keep_their_fields_decimals",
                    "SELECT SUM(rate), MIN(rate) FROM people",
                    {"sum_rate", "min_rate"},
                    {adNumeric, adNumeric},
                    {2, 2}},
        ColumnsCase{"decimals_of_rounds_and_literals_not_of_products",
                    "SELECT ROUND(rate * 3, 1), 1.250, rate * 2 FROM people",
                    {"exp_1", "exp_2", "exp_3"},
                    {adNumeric, adNumeric, adNumeric},
                    {1, 3, 0}}),
    dbtest::CaseName{});

TEST(ViewColumns, ANameGivenMoreThan26TimesGoesOnWithTwoLetters)
{
    std::string sql = "SELECT id";
    for (int i = 1; i < 28; ++i)
        sql += ", id";
    testsupport::TempDir folder;
    const auto dbc = viewtest::writeShop(folder.path(), {{"v", sql + " FROM people"}});
    const dbtest::ReadTable table = dbtest::readTable(dbc, QStringLiteral("v"));
    ASSERT_EQ(table.names.size(), 28u);
    EXPECT_EQ(table.names[0], "id_a");
    EXPECT_EQ(table.names[25], "id_z");
    EXPECT_EQ(table.names[26], "id_aa");
    EXPECT_EQ(table.names[27], "id_ab");
}

TEST(ViewColumns, ContainerNamesAndDataTypesWinWhenTheyMatchInNumber)
{
    testsupport::TempDir folder;
    const auto dbc = viewtest::writeShop(
        folder.path(),
        {{"typed", "SELECT id, ALLTRIM(name), rate FROM people WHERE id = 1"},
         {"mismatched", "SELECT id, name FROM people WHERE id = 1"}},
        {{{"ident", "I", "people.id"}, {"label", "C(12)", ""}, {"ratio", "N(8,3)", ""}},
         {{"only", "I", ""}}});

    const dbtest::ReadTable typed = dbtest::readTable(dbc, QStringLiteral("typed"));
    EXPECT_EQ(typed.names, (std::vector<std::string>{"ident", "label", "ratio"}));
    EXPECT_EQ(typed.types, (std::vector<int>{adInteger, adChar, adNumeric}));
    EXPECT_EQ(typed.scales, (std::vector<int>{0, 0, 3}));
    EXPECT_EQ(typed.rows, (std::vector<dbtest::Row>{{"1", "Tom         ", "1.5"}}));

    // One container column for a two-column result: the SQL's own names and types.
    const dbtest::ReadTable mismatched = dbtest::readTable(dbc, QStringLiteral("mismatched"));
    EXPECT_EQ(mismatched.names, (std::vector<std::string>{"id", "name"}));
    EXPECT_EQ(mismatched.rows, (std::vector<dbtest::Row>{{"1", "Tom       "}}));
}

}  // namespace
