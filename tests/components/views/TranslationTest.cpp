// FoxPro SQL constructs run as views over the shop container: each case states the rows
// FoxPro gives, so a translation that runs but means something else fails.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/components/views/ViewTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using viewtest::Row;

struct Case
{
    std::string name;
    std::string sql;
    std::vector<Row> rows;
    bool anyOrder = false;  // rows that tie may come in any order
};

class ShopTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new testsupport::TempDir;
        dbc = viewtest::writeShop(folder->path());
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    static testsupport::TempDir* folder;
    static std::filesystem::path dbc;
};

testsupport::TempDir* ShopTest::folder = nullptr;
std::filesystem::path ShopTest::dbc;

class ConstructTest : public ShopTest, public testing::WithParamInterface<Case>
{
};

TEST_P(ConstructTest, GivesFoxProRows)
{
    const Case& c = GetParam();
    std::vector<Row> rows = viewtest::runSql(dbc, c.sql);
    std::vector<Row> expected = c.rows;
    if (c.anyOrder) {
        std::sort(rows.begin(), rows.end());
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(rows, expected) << c.sql;
}

INSTANTIATE_TEST_SUITE_P(
    Operators, ConstructTest,
    testing::Values(
        Case{"dotted_logicals_and_operators",
             "SELECT id FROM people WHERE member = .T. .AND. .NOT. (id = 3) .OR. id = 4 "
             "ORDER BY id",
             {{"1"}, {"4"}}},
        Case{"deleted_records_are_not_read", "SELECT COUNT(*) FROM people", {{"4"}}},
        Case{"equals_compares_the_shorter_text",
             "SELECT id FROM people WHERE name = 'Tom' ORDER BY id",
             {{"1"}, {"2"}}},
        Case{"equals_ignores_operand_order",
             "SELECT id FROM people WHERE 'Tom' = name ORDER BY id",
             {{"1"}, {"2"}}},
        Case{"double_equals_is_exact_but_blind_to_trailing_blanks",
             "SELECT id FROM people WHERE name == 'Tom'",
             {{"1"}}},
        Case{"not_equal_spellings",
             "SELECT id FROM people WHERE name # 'Tom' AND name != 'Anna' AND name <> 'Ann'",
             {{"4"}}},
        Case{"memo_compares_as_text_over_the_shorter_length",
             "SELECT id FROM people WHERE notes = 'note' ORDER BY id",
             {{"1"}, {"2"}}},
        Case{"contained_in", "SELECT id FROM people WHERE 'mi' $ last ORDER BY id", {{"1"}, {"3"}}},
        Case{"like_tells_cases_apart",
             "SELECT id FROM people WHERE last LIKE 'S%' AND NOT last LIKE 's%' ORDER BY id",
             {{"1"}, {"3"}}},
        Case{"sql_between_and_not_in",
             "SELECT id FROM orders WHERE id BETWEEN 11 AND 13 AND id NOT IN (12) ORDER BY 1",
             {{"11"}, {"13"}}},
        Case{"plus_joins_texts",
             "SELECT ALLTRIM(first) + ' ' + ALLTRIM(last) FROM people WHERE id = 1",
             {{"Tom Smith"}}},
        Case{"minus_moves_trailing_blanks_to_the_end",
             "SELECT first - '|' FROM people WHERE id = 1",
             {{"Tom|     "}}},
        Case{"null_propagates_through_plus",
             "SELECT rate + 1 FROM people WHERE id = 3",
             {{"<null>"}}},
        Case{"division_keeps_fractions_and_int_truncates",
             "SELECT 7 / 2, INT(rate * 3), INT(-7 / 2) FROM people WHERE id = 1",
             {{"3.5", "4", "-3"}}},
        Case{"mod_takes_the_divisor_sign",
             "SELECT MOD(-7, 3), -7 % 3, MOD(7, -3) FROM people WHERE id = 1",
             {{"2", "2", "-2"}}},
        Case{"currency_rounds_after_every_step",
             "SELECT balance * 0.5 * 2, balance / 3 FROM people WHERE id = 2",
             {{"0.3334", "0.1111"}}},
        Case{"currency_sum", "SELECT SUM(amount) FROM orders", {{"376.49"}}},
        Case{"hex_and_currency_literals",
             "SELECT 0x1F, $2.5 * 2 FROM people WHERE id = 1",
             {{"31", "5"}}},
        Case{"comments_and_line_continuation",
             "SELECT id ;\r\n FROM people && the people\r\n WHERE id = 1",
             {{"1"}}}),
    dbtest::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Dates, ConstructTest,
    testing::Values(
        Case{"date_plus_a_day_crosses_the_year",
             "SELECT born + 1 FROM people WHERE id = 2",
             {{"2000-01-01"}}},
        Case{"leap_day_minus_a_day", "SELECT born - 1 FROM people WHERE id = 4", {{"2000-02-28"}}},
        Case{"date_minus_date_counts_days",
             "SELECT {^2000-03-01} - born FROM people WHERE id = 4",
             {{"1"}}},
        Case{"datetime_plus_seconds_crosses_midnight",
             "SELECT stamp + 1 FROM people WHERE id = 2",
             {{"2001-02-04 00:00:00"}}},
        Case{"strict_date_literal_compares_as_a_date",
             "SELECT id FROM people WHERE born < {^1995-01-01}",
             {{"1"}}},
        Case{"between_function_on_dates",
             "SELECT id FROM orders WHERE BETWEEN(day, {^1997-01-01}, {^1997-12-31}) "
             "ORDER BY id",
             {{"10"}, {"11"}, {"13"}, {"14"}}},
        Case{"year_month_day",
             "SELECT YEAR(born), MONTH(born), DAY(born) FROM people WHERE id = 4",
             {{"2000", "2", "29"}}},
        Case{"dtos_and_strict_ctod",
             "SELECT DTOS(born), CTOD('^2001-02-03') FROM people WHERE id = 1",
             {{"19900517", "2001-02-03"}}},
        Case{"dates_sort_as_dates_with_null_first",
             "SELECT id FROM people ORDER BY born",
             {{"3"}, {"1"}, {"2"}, {"4"}}}),
    dbtest::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Functions, ConstructTest,
    testing::Values(
        Case{"empty_sees_blank_and_zero_but_not_null",
             "SELECT id FROM people WHERE EMPTY(notes) OR EMPTY(rate) OR EMPTY(born) "
             "ORDER BY id",
             {{"2"}, {"4"}}},
        Case{"nvl_and_isnull",
             "SELECT NVL(rate, -9), ISNULL(born) FROM people WHERE id = 3",
             {{"-9", "True"}}},
        Case{"iif_pads_to_its_width",
             "SELECT IIF(member, 'yes', 'no') FROM people ORDER BY id",
             {{"yes"}, {"no "}, {"yes"}, {"no "}}},
        Case{"upper_and_lower_beyond_ascii",
             "SELECT UPPER(ALLTRIM(name)), LOWER(ALLTRIM(name)) FROM people WHERE id = 4",
             {{"ÉMILE", "émile"}}},
        Case{"substr_left_right",
             "SELECT SUBSTR(last, 2, 3), LEFT(last, 2), RIGHT(ALLTRIM(last), 2), "
             "ALLTRIM(RIGHT('ab', 5)), LEFT('ab', 0) FROM people WHERE id = 1",
             {{"mit", "Sm", "th", "ab", ""}}},
        Case{"str_rounds_pads_and_overflows",
             "SELECT STR(rate, 6, 1), STR(1234567, 5), STR(rate) FROM people WHERE id = 1",
             {{"   1.5", "*****", "         2"}}},
        Case{"val_reads_the_leading_number",
             "SELECT VAL('  12.5abc'), VAL('abc'), VAL('-3') FROM people WHERE id = 1",
             {{"12.5", "0", "-3"}}},
        Case{"round_half_away_from_zero",
             "SELECT ROUND(2.5, 0), ROUND(-2.5, 0), ROUND(1234.5, -2), ROUND(1.005, 2) "
             "FROM people WHERE id = 1",
             {{"3", "-3", "1200", "1.01"}}},
        Case{"padding_and_repeating",
             "SELECT PADL('7', 3, '0'), PADR('ab', 4) + '|', REPLICATE('ab', 3), SPACE(2) + '|' "
             "FROM people WHERE id = 1",
             {{"007", "ab  |", "ababab", "  |"}}},
        Case{"inlist", "SELECT id FROM people WHERE INLIST(id, 1, 4) ORDER BY id", {{"1"}, {"4"}}},
        Case{"abbreviated_function_names",
             "SELECT SUBS(ALLT(name), 1, 2), UPPE(LEFT(name, 1)) FROM people WHERE id = 1",
             {{"To", "T"}}}),
    dbtest::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Queries, ConstructTest,
    testing::Values(
        Case{"top_keeps_rows_that_tie_with_the_last",
             "SELECT TOP 2 id FROM people ORDER BY first",
             {{"3"}, {"1"}, {"2"}},
             true},
        Case{"top_percent_rounds_up",
             "SELECT TOP 30 PERCENT id FROM orders ORDER BY id",
             {{"10"}, {"11"}}},
        Case{"distinct_top_counts_distinct_rows",
             "SELECT DISTINCT TOP 2 first FROM people ORDER BY first",
             {{"Anna    "}, {"Tom     "}}},
        Case{"top_by_column_number_descending",
             "SELECT TOP 1 id, born FROM people ORDER BY 2 DESC",
             {{"4", "2000-02-29"}}},
        Case{"nested_joins_with_their_on_clauses_last",
             "SELECT o.id FROM people p JOIN orders o JOIN orders o2 ON o.id = o2.id "
             "ON p.id = o.person ORDER BY 1",
             {{"10"}, {"11"}, {"12"}, {"13"}}},
        Case{"left_right_and_full_joins",
             "SELECT (SELECT COUNT(*) FROM people p LEFT JOIN orders o ON p.id = o.person), "
             "(SELECT COUNT(*) FROM people p RIGHT OUTER JOIN orders o ON p.id = o.person), "
             "(SELECT COUNT(*) FROM people p FULL JOIN orders o ON p.id = o.person) "
             "FROM people WHERE id = 1",
             {{"5", "5", "6"}}},
        Case{"join_on_padded_text_keys",
             "SELECT COUNT(*) FROM orders a INNER JOIN orders b ON a.code = b.code",
             {{"7"}}},
        Case{"join_never_matches_null_keys",
             "SELECT COUNT(*) FROM people a, people b WHERE a.rate = b.rate",
             {{"3"}}},
        Case{"database_prefix", "SELECT COUNT(*) FROM shop!people", {{"4"}}},
        Case{"union_removes_rows_equal_but_for_trailing_blanks",
             "SELECT COUNT(*) FROM (SELECT first FROM people UNION SELECT 'Tom' FROM orders) u",
             {{"3"}}},
        Case{"group_by_alias_and_having",
             "SELECT person AS who, SUM(amount) AS total FROM orders GROUP BY who "
             "HAVING total > 10 ORDER BY who",
             {{"1", "350.5"}, {"2", "19.99"}}},
        Case{"correlated_exists",
             "SELECT p.id FROM people p WHERE EXISTS (SELECT * FROM orders o "
             "WHERE o.person = p.id) ORDER BY 1",
             {{"1"}, {"2"}, {"4"}}},
        Case{"scalar_subquery_average",
             "SELECT id FROM orders WHERE amount > (SELECT AVG(amount) FROM orders) ORDER BY 1",
             {{"10"}, {"11"}}}),
    dbtest::CaseName{});

struct ErrorCase
{
    std::string name;
    std::string sql;
    std::string reason;  // what the message says after "cannot be opened: "
};

class ErrorTest : public ShopTest, public testing::WithParamInterface<ErrorCase>
{
};

TEST_P(ErrorTest, NamesTheViewAndTheReason)
{
    const ErrorCase& c = GetParam();
    EXPECT_EQ(viewtest::openError(dbc, c.sql),
              "The view adhoc of shop.dbc cannot be opened: " + c.reason)
        << c.sql;
}

INSTANTIATE_TEST_SUITE_P(
    Untranslatable, ErrorTest,
    testing::Values(
        ErrorCase{"parameter", "SELECT id FROM people WHERE id = ?wanted",
                  "the view takes the parameter ?wanted, which only FoxPro can ask for at "
                  "character 34."},
        ErrorCase{"date_read_by_set_date", "SELECT id FROM people WHERE born = {01/02/1997}",
                  "the date {01/02/1997} is read according to SET DATE; write it as "
                  "{^yyyy-mm-dd} at character 36."},
        ErrorCase{"not_a_calendar_date", "SELECT id FROM people WHERE born = {^1997-02-29}",
                  "the date {^1997-02-29} is not a calendar date at character 36."},
        ErrorCase{"ctod_of_a_computed_text", "SELECT CTOD(name) FROM people",
                  "CTOD() of a computed text depends on SET DATE and cannot be translated at "
                  "character 8."},
        ErrorCase{"unknown_function", "SELECT TRANSFORM(id) FROM people",
                  "the FoxPro function TRANSFORM() has no translation at character 8."},
        ErrorCase{"wrong_argument_count", "SELECT LEFT(name) FROM people",
                  "LEFT() does not take 1 argument at character 8."},
        ErrorCase{"unknown_table", "SELECT * FROM customers",
                  "\"customers\" is neither a table nor a view of shop at character 15."},
        ErrorCase{"other_database", "SELECT * FROM other!people",
                  "the table is in the database \"other\", not in shop at character 15."},
        ErrorCase{"into_cursor", "SELECT * FROM people INTO CURSOR x",
                  "a view cannot send its result into somewhere else at character 22."},
        ErrorCase{"unknown_column", "SELECT salary FROM people",
                  "\"salary\" is no column of the tables the query reads at character 8."},
        ErrorCase{"ambiguous_column", "SELECT id FROM people, orders",
                  "\"id\" is a column of both \"people\" and \"orders\"; name the table at "
                  "character 8."},
        ErrorCase{"memory_variable", "SELECT id FROM people WHERE id = m.wanted",
                  "the variable m.wanted has no value outside FoxPro at character 34."},
        ErrorCase{"macro_substitution", "SELECT &fields FROM people",
                  "macro substitution (&) has no value outside FoxPro at character 8."},
        ErrorCase{"text_without_its_end", "SELECT 'abc FROM people",
                  "a text starting with ' has no closing ' at character 8."},
        ErrorCase{"top_without_order_by", "SELECT TOP 3 id FROM people",
                  "TOP needs ORDER BY at character 12."},
        ErrorCase{"union_of_different_widths",
                  "SELECT id FROM people UNION SELECT id, person FROM orders",
                  "the SELECTs joined by UNION give 1 and 2 columns at character 23."},
        ErrorCase{"comparison_with_all",
                  "SELECT id FROM people WHERE id > ALL (SELECT id FROM orders)",
                  "comparisons with ALL, ANY or SOME cannot be translated at character 34."},
        ErrorCase{"join_without_on", "SELECT id FROM people p JOIN orders o WHERE p.id = 1",
                  "a JOIN needs ON, not \"WHERE\" at character 39."},
        ErrorCase{"statement_goes_on", "SELECT id FROM people ) x",
                  "the statement should end here, not \")\" at character 23."}),
    dbtest::CaseName{});

TEST_F(ShopTest, TypeMismatchFoundWhileRunningNamesTheView)
{
    EXPECT_EQ(viewtest::openError(dbc, "SELECT name + 1 FROM people"),
              "The view adhoc of shop.dbc cannot be read: Operator/operand type mismatch.");
}

}  // namespace
