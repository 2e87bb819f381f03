// How deep, how long and how wide view SQL may be. A view's SQL comes from the .dbc and may be
// damaged: past each limit it is refused with a TranslationError, where unchecked it ran out of
// stack (nesting) or took minutes (long runs of operators, huge select lists); below it, it is
// translated.
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/foxsql/SqlParser.h"
#include "components/foxsql/TranslationError.h"

namespace {

class Tables : public foxsql::SchemaLookup
{
public:
    const foxsql::SourceTable* find(std::string_view name) override
    {
        return name == "a" ? &mTable : nullptr;
    }

private:
    foxsql::SourceTable mTable{"A", {{"n", foxsql::SqlType::of('I')}}};
};

std::string repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// The message of the TranslationError that translating sql throws, or "translated".
std::string refusal(const std::string& sql)
{
    Tables tables;
    try {
        foxsql::translateFoxSql(sql, "db", tables);
    } catch (const foxsql::TranslationError& error) {
        return error.what();
    }
    return "translated";
}

struct NestingCase
{
    std::string name;
    std::string (*sql)(int depth);
    int refusedDepth;  // far past the limit; deep enough to overflow the stack unchecked
};

class NestingTest : public testing::TestWithParam<NestingCase>
{
};

// 60 levels cost at most two units each: well within the limit.
TEST_P(NestingTest, TranslatesModerateNesting)
{
    Tables tables;
    EXPECT_NO_THROW(foxsql::translateFoxSql(GetParam().sql(60), "db", tables));
}

TEST_P(NestingTest, RefusesNestingPastTheLimit)
{
    const std::string message = refusal(GetParam().sql(GetParam().refusedDepth));
    EXPECT_NE(message.find("more than 200 deep at character"), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Sql, NestingTest,
    testing::Values(
        NestingCase{
            "brackets",
            [](int d) { return "SELECT " + repeated("(", d) + "n" + repeated(")", d) + " FROM a"; },
            100'000},
        NestingCase{"not_words",
                    [](int d) { return "SELECT n FROM a WHERE " + repeated("NOT ", d) + "n = 1"; },
                    100'000},
        NestingCase{"not_marks",
                    [](int d) { return "SELECT n FROM a WHERE " + repeated("!", d) + "n = 1"; },
                    100'000},
        NestingCase{"signs", [](int d) { return "SELECT " + repeated("- +", d) + "n FROM a"; },
                    100'000},
        NestingCase{"powers", [](int d) { return "SELECT 2" + repeated("^2", d) + " FROM a"; },
                    100'000},
        NestingCase{"function_calls",
                    [](int d) {
                        return "SELECT " + repeated("ABS(", d) + "n" + repeated(")", d) + " FROM a";
                    },
                    100'000},
        NestingCase{"in_lists",
                    [](int d) {
                        return "SELECT n FROM a WHERE " + repeated("n IN (", d) + "1" +
                               repeated(")", d);
                    },
                    100'000},
        NestingCase{"sub_queries",
                    [](int d) {
                        return "SELECT " + repeated("(SELECT ", d) + "1" + repeated(" FROM a)", d) +
                               " FROM a";
                    },
                    10'000},
        NestingCase{"joins_with_their_on_clauses_last",
                    [](int d) {
                        return "SELECT 1 FROM a" + repeated(" JOIN a", d) + repeated(" ON .T.", d);
                    },
                    100'000},
        NestingCase{
            "bracketed_tables",
            [](int d) { return "SELECT n FROM " + repeated("(", d) + "a" + repeated(")", d); },
            100'000}),
    [](const auto& row) { return row.param.name; });

// The budget is the statement's: a refused statement gives it all back, so the next one may
// nest right up to the limit.
TEST(Nesting, RefusedStatementLeavesTheWholeBudget)
{
    Tables tables;
    const auto brackets = [](int depth) {
        return "SELECT " + repeated("(", depth) + "n" + repeated(")", depth) + " FROM a";
    };
    const int deepest = foxsql::SqlParser::kMaxNesting - 2;  // plus the query and its select item
    EXPECT_THROW(foxsql::translateFoxSql(brackets(1000), "db", tables), foxsql::TranslationError);
    EXPECT_NO_THROW(foxsql::translateFoxSql(brackets(deepest), "db", tables));
    EXPECT_THROW(foxsql::translateFoxSql(brackets(deepest + 1), "db", tables),
                 foxsql::TranslationError);
}

struct RunCase
{
    std::string name;
    std::string head;       // the SQL before the run
    std::string first;      // the run's first operand
    std::string operation;  // operator and operand, repeated
    std::string tail;       // the SQL after the run
};

class LongRunTest : public testing::TestWithParam<RunCase>
{
protected:
    std::string run(int operators) const
    {
        const RunCase& c = GetParam();
        return c.head + c.first + repeated(c.operation, operators) + c.tail;
    }
};

TEST_P(LongRunTest, TranslatesUpToTheLimitAndRefusesLonger)
{
    Tables tables;
    EXPECT_NO_THROW(foxsql::translateFoxSql(run(foxsql::SqlParser::kMaxChain), "db", tables));
    for (const int operators : {foxsql::SqlParser::kMaxChain + 1, 100'000}) {
        const std::string message = refusal(run(operators));
        EXPECT_NE(message.find("more than 1000 operators"), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sql, LongRunTest,
    testing::Values(RunCase{"or", "SELECT n FROM a WHERE ", "n = 1", " OR n = 1", ""},
                    RunCase{"and", "SELECT n FROM a WHERE ", "n = 1", " AND n = 1", ""},
                    RunCase{"comparisons", "SELECT n FROM a WHERE ", "n", " = n", ""},
                    RunCase{"contained_in", "SELECT n FROM a WHERE ", "'a'", " $ 'a'", ""},
                    RunCase{"between", "SELECT n FROM a WHERE ", "n", " BETWEEN 1 AND 2", ""},
                    RunCase{"minus", "SELECT ", "n", " - 1", " FROM a"},
                    RunCase{"times", "SELECT ", "n", " * 2", " FROM a"}),
    [](const auto& row) { return row.param.name; });

// A cursor holds at most 255 fields, however the select list names them.
TEST(SelectList, GivesAtMostTheColumnsOfAFoxProCursor)
{
    Tables tables;
    const auto ones = [](int count) { return "SELECT 1" + repeated(", 1", count - 1) + " FROM a"; };
    const auto stars = [](int count) {
        return "SELECT *" + repeated(", *", count - 1) + " FROM a";
    };
    EXPECT_EQ(foxsql::translateFoxSql(ones(255), "db", tables).columns.size(), 255u);
    EXPECT_EQ(foxsql::translateFoxSql(stars(255), "db", tables).columns.size(), 255u);
    for (const std::string& sql : {ones(256), stars(256), ones(100'000), stars(100'000)}) {
        const std::string message = refusal(sql);
        EXPECT_NE(message.find("more than 255 columns"), std::string::npos) << message;
    }
}

}  // namespace
