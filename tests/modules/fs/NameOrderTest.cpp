// The listing order of a folder's names: upper-cased code units as NTFS compares them, so
// "orders" comes before "order_lines" and "_" after every letter.
#include <gtest/gtest.h>

#include "modules/fs/NameOrder.h"

namespace {

struct OrderCase
{
    const char* name;
    const char* first;  // UTF-8
    const char* second;
};

class NameOrder : public testing::TestWithParam<OrderCase>
{
};

TEST_P(NameOrder, firstIsListedBeforeSecondAndNotTheOtherWayRound)
{
    const QString first = QString::fromUtf8(GetParam().first);
    const QString second = QString::fromUtf8(GetParam().second);
    EXPECT_TRUE(fs::isListedBefore(first, second));
    EXPECT_FALSE(fs::isListedBefore(second, first));
    EXPECT_FALSE(fs::isListedBefore(first, first));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameOrder,
    testing::Values(OrderCase{"case_is_ignored", "apple", "Banana"},
                    OrderCase{"upper_case_underscore_after_letters", "orders", "order_lines"},
                    OrderCase{"underscore_after_z", "Zeta", "_scratch"},
                    OrderCase{"bracket_after_letters", "zz", "[old]"},
                    OrderCase{"digits_before_letters", "2019", "archive"},
                    OrderCase{"dot_before_letters", ".hidden", "alias"},
                    OrderCase{"tilde_last", "zz", "~tmp"},
                    OrderCase{"prefix_first", "order", "orders"},
                    OrderCase{"accented_letter_after_ascii", "zebra", "\xc3\xa9t\xc3\xa9"},  // été
                    // Ā (U+0100) before ÿ, whose capital Ÿ is U+0178; folded to lower case ÿ
                    // (U+00FF) would come first
                    OrderCase{"letter_compared_by_its_capital", "\xc4\x80", "\xc3\xbf"},
                    OrderCase{"names_equal_but_for_case_by_code_units", "ORDERS", "Orders"},
                    OrderCase{"lower_case_twin_last", "Orders", "orders"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(NameOrder, sortsAListIntoListingOrder)
{
    QStringList names{"~tmp.dbf",     "order_lines.dbf", "Customers.DBF", "orders.dbf",
                      "products.dbf", "_x.dbf",          "2019.dbf"};
    fs::sortInListingOrder(names);
    EXPECT_EQ(names, (QStringList{"2019.dbf", "Customers.DBF", "orders.dbf", "order_lines.dbf",
                                  "products.dbf", "_x.dbf", "~tmp.dbf"}));
}

}  // namespace
