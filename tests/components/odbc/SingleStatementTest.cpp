// The one-statement check on remote views' SQL: one statement passes in every dialect; a ";"
// that any dialect reads outside quotes and comments, or a quote or comment left open, refuses.
#include <gtest/gtest.h>

#include "components/odbc/SingleStatement.h"
#include "tests/support/TableSupport.h"

namespace {

struct StatementCase
{
    std::string name;
    std::string sql;
    std::string why;  // "" for one statement
};

class SingleStatementTest : public testing::TestWithParam<StatementCase>
{
};

TEST_P(SingleStatementTest, OneStatementOrWhyNot)
{
    EXPECT_EQ(odbc::whyNotOneStatement(GetParam().sql), GetParam().why);
}

std::string second(const char* dialect, int character)
{
    return std::string("is more than one statement: ") + dialect +
           " reads a \";\" outside quotes and comments at character " + std::to_string(character);
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, SingleStatementTest,
    testing::Values(
        StatementCase{"plain_query", "SELECT * FROM orders", ""},
        StatementCase{"semicolons_inside_quotes_and_comments",
                      "SELECT 'a;b', \"c;d\" FROM t -- e;f\n/* g; */ WHERE x = 'it''s;'", ""},
        StatementCase{"one_trailing_semicolon_and_blanks", "SELECT 1;  \n", ""},
        StatementCase{"commit_then_delete", "COMMIT; DELETE FROM t; COMMIT; SELECT 1",
                      second("standard SQL", 7)},
        StatementCase{"two_trailing_semicolons", "SELECT 1;;", second("standard SQL", 9)},
        StatementCase{"comment_after_the_end", "SELECT 1; -- done", second("standard SQL", 9)},
        StatementCase{"mysql_backslash_keeps_the_string_open", "SELECT 'a\\'; DELETE FROM t; '",
                      second("standard SQL", 12)},
        StatementCase{"mysql_backslash_ends_the_string_sooner",
                      "SELECT 'a\\''; DELETE FROM t; SELECT '", second("MySQL", 13)},
        StatementCase{"mysql_dash_comment_needs_a_blank", "SELECT 1 --; DELETE FROM t",
                      second("MySQL", 12)},
        StatementCase{"mysql_hash_is_sql_elsewhere", "SELECT 1 # ; DELETE FROM t",
                      second("standard SQL", 12)},
        StatementCase{"mysql_runs_executable_comments", "SELECT 1 /*! ; DELETE FROM t */",
                      second("MySQL", 14)},
        StatementCase{"postgresql_nested_comment_left_open", "SELECT 1 /* /* */",
                      "leaves the comment /* at character 10 open, as PostgreSQL reads it"},
        StatementCase{"postgresql_dollar_quote_hides_a_quote",
                      "SELECT $$ ' $$; DELETE FROM t; SELECT ' $$", second("PostgreSQL", 15)},
        StatementCase{"sql_server_bracket_hides_a_quote", "SELECT [a'b]; DELETE FROM t; SELECT '",
                      second("SQL Server", 13)},
        StatementCase{"unterminated_quote", "SELECT 'abc",
                      "leaves the quote ' at character 8 open, as standard SQL reads it"},
        StatementCase{"unterminated_comment", "SELECT 1 /* ; ",
                      "leaves the comment /* at character 10 open, as standard SQL reads it"},
        StatementCase{"nul_byte", std::string("SELECT 1\0; DELETE", 17),
                      "holds a NUL byte at character 9"}),
    dbtest::CaseName{});

}  // namespace
