// The one query shape the recordset accepts, and the table name taken from it.
#include <gtest/gtest.h>

#include "tests/support/TableSupport.h"

#include "components/database/Query.h"
#include "components/rows/DatabaseError.h"

namespace {

struct Case
{
    const char* name;
    const char* query;
    const char* table;  // nullptr: refused
};

class QueryParseTest : public testing::TestWithParam<Case>
{
};

TEST_P(QueryParseTest, TakesNameOrRefuses)
{
    const QString query = QString::fromUtf8(GetParam().query);
    if (GetParam().table == nullptr) {
        EXPECT_THROW(database::tableNameFromQuery(query), rows::DatabaseError);
        return;
    }
    EXPECT_EQ(database::tableNameFromQuery(query).toStdString(), GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(
    Parse, QueryParseTest,
    testing::Values(Case{"plain", "SELECT * FROM `orders`", "orders"},
                    Case{"blanks_in_name", "SELECT * FROM `expense details`", "expense details"},
                    Case{"brackets_in_name", "SELECT * FROM `[old] orders]`", "[old] orders]"},
                    Case{"backquote_in_name", "SELECT * FROM `it`s`", "it`s"},
                    Case{"name_of_backquotes", "SELECT * FROM ````", "``"},
                    Case{"sub_folder_path", "SELECT * FROM `2021/q1/orders`", "2021/q1/orders"},
                    Case{"keywords_in_lower_case", "select * from `orders`", "orders"},
                    Case{"unicode_name", "SELECT * FROM `Bestellungen-Größe`",
                         "Bestellungen-Größe"},
                    Case{"empty_name", "SELECT * FROM ``", nullptr},
                    Case{"no_closing_quote", "SELECT * FROM `orders", nullptr},
                    Case{"unquoted_name", "SELECT * FROM orders", nullptr},
                    Case{"bracketed_name", "SELECT * FROM [orders]", nullptr},
                    Case{"where_clause", "SELECT * FROM `orders` WHERE 1=1", nullptr},
                    Case{"field_list", "SELECT id FROM `orders`", nullptr},
                    Case{"other_statement", "DELETE FROM `orders`", nullptr},
                    Case{"trailing_blank", "SELECT * FROM `orders` ", nullptr},
                    Case{"empty", "", nullptr}),
    dbtest::CaseName());

}  // namespace
