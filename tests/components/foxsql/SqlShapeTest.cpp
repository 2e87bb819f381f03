// The translated SQL itself, where its shape decides speed or what SQLite accepts: equality
// SQLite can look up, not a function it must call per pair; FoxPro's joins and TOP as SQLite
// takes them.
#include <map>

#include <gtest/gtest.h>

#include "components/foxsql/FoxSqlTranslator.h"

namespace {

class Tables : public foxsql::SchemaLookup
{
public:
    Tables()
    {
        using foxsql::SqlType;
        mTables["a"] = {"A", {{"k", SqlType::of('C', 5)}, {"n", SqlType::of('I')}}};
        mTables["b"] = {"B", {{"k", SqlType::of('C', 5)}, {"w", SqlType::of('C', 8)}}};
    }
    const foxsql::SourceTable* find(std::string_view name) override
    {
        const auto found = mTables.find(std::string(name));
        return found == mTables.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, foxsql::SourceTable> mTables;
};

struct ShapeCase
{
    std::string name;
    std::string sql;
    std::string contains;
};

class ShapeTest : public testing::TestWithParam<ShapeCase>
{
};

TEST_P(ShapeTest, TranslatedSqlHasTheShape)
{
    const ShapeCase& c = GetParam();
    Tables tables;
    const std::string sql = foxsql::translateFoxSql(c.sql, "db", tables).sql;
    EXPECT_NE(sql.find(c.contains), std::string::npos) << sql;
}

INSTANTIATE_TEST_SUITE_P(
    Sql, ShapeTest,
    testing::Values(
        ShapeCase{"join_on_equal_width_keys_is_plain_equality",
                  "SELECT a.n FROM a JOIN b ON a.k = b.k", "ON (\"a\".\"k\" = \"b\".\"k\")"},
        ShapeCase{"keys_of_different_widths_compare_the_shorter",
                  "SELECT a.n FROM a JOIN b ON a.k = b.w", "vfp_eq(\"a\".\"k\", \"b\".\"w\")"},
        ShapeCase{"numbers_compare_plainly", "SELECT n FROM a WHERE n = 5", "(\"a\".\"n\" = 5)"},
        ShapeCase{"foxpro_nested_join_is_bracketed",
                  "SELECT a.n FROM a JOIN b JOIN a x ON b.k = x.k ON a.k = b.k",
                  "FROM \"A\" AS \"a\" INNER JOIN (\"B\" AS \"b\" INNER JOIN \"A\" AS \"x\" ON "},
        ShapeCase{"top_ranks_in_a_window", "SELECT TOP 5 n FROM a ORDER BY n DESC",
                  "rank() OVER (ORDER BY \"a\".\"n\" DESC)"}),
    [](const auto& row) { return row.param.name; });

}  // namespace
