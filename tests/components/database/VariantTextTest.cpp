// The cell text of every kind of value: the exact text the export writes into a cell.
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/TableSupport.h"

#include "components/database/Variant.h"

namespace {

using database::Variant;
using Kind = Variant::Kind;

Variant text(Kind kind, std::string bytes)
{
    Variant v;
    v.kind = kind;
    v.bytes = std::move(bytes);
    return v;
}

Variant integer(Kind kind, std::int64_t value)
{
    Variant v;
    v.kind = kind;
    v.integer = value;
    return v;
}

Variant real(double value)
{
    Variant v;
    v.kind = Kind::Double;
    v.real = value;
    return v;
}

Variant date(int y, int m, int d)
{
    Variant v;
    v.kind = Kind::Date;
    v.year = y;
    v.month = m;
    v.day = d;
    return v;
}

Variant dateTime(int y, int mo, int d, int h, int mi, int s)
{
    Variant v = date(y, mo, d);
    v.kind = Kind::DateTime;
    v.hour = h;
    v.minute = mi;
    v.second = s;
    return v;
}

struct Case
{
    const char* name;
    Variant value;
    std::string expected;
};

class CellTextTest : public testing::TestWithParam<Case>
{
};

TEST_P(CellTextTest, GivesExactText)
{
    EXPECT_EQ(database::toText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CellTextTest,
    testing::Values(
        Case{"null_is_empty", text(Kind::Null, "ignored"), ""},
        Case{"empty_is_empty", Variant{}, ""},
        Case{"text_keeps_trailing_blanks", text(Kind::Text, "ALFKI   "), "ALFKI   "},
        Case{"text_keeps_leading_blanks_and_utf8", text(Kind::Text, "  Zürich"), "  Zürich"},
        Case{"text_keeps_embedded_nul", text(Kind::Text, std::string("a\0b", 3)),
             std::string("a\0b", 3)},
        Case{"binary_as_upper_hex", text(Kind::Binary, std::string("\x00\x1f\xab\xff", 4)),
             "001FABFF"},
        Case{"binary_empty", text(Kind::Binary, ""), ""},
        Case{"integer_negative", integer(Kind::Integer, -42), "-42"},
        Case{"integer_zero", integer(Kind::Integer, 0), "0"},
        Case{"integer_most_negative_keeps_digits",
             integer(Kind::Integer, std::numeric_limits<std::int64_t>::min()),
             "-9223372036854775808"},
        Case{"double_shortest_round_trip", real(2.3), "2.3"},
        Case{"double_whole_has_no_point", real(123.0), "123"},
        Case{"double_large_in_exponent_form", real(1e300), "1e+300"},
        Case{"double_all_seventeen_digits", real(0.1 + 0.2), "0.30000000000000004"},
        Case{"double_third", real(1.0 / 3.0), "0.3333333333333333"},
        Case{"double_plain_while_shorter", real(1234567.0), "1234567"},
        Case{"double_small_in_exponent_form_when_shorter", real(0.0001), "1e-04"},
        Case{"double_negative_zero_is_zero", real(-0.0), "0"},
        Case{"double_negative", real(-78.9), "-78.9"},
        Case{"currency_four_decimals", integer(Kind::Currency, 123456), "12.3456"},
        Case{"currency_trailing_zeros_dropped", integer(Kind::Currency, 123400), "12.34"},
        Case{"currency_whole", integer(Kind::Currency, 190000), "19"},
        Case{"currency_negative_fraction_keeps_sign", integer(Kind::Currency, -5000), "-0.5"},
        Case{"currency_leading_fraction_zeros_kept", integer(Kind::Currency, 10001), "1.0001"},
        Case{"currency_most_negative",
             integer(Kind::Currency, std::numeric_limits<std::int64_t>::min()),
             "-922337203685477.5808"},
        Case{"decimal_trailing_zeros_dropped", text(Kind::Decimal, "12.50"), "12.5"},
        Case{"decimal_point_dropped_when_whole", text(Kind::Decimal, "19.00"), "19"},
        Case{"decimal_padding_blanks_ignored", text(Kind::Decimal, "    4.56"), "4.56"},
        Case{"decimal_leading_zeros_dropped", text(Kind::Decimal, "007"), "7"},
        Case{"decimal_lone_fraction_gets_zero", text(Kind::Decimal, ".5"), "0.5"},
        Case{"decimal_negative_fraction", text(Kind::Decimal, "-0.05"), "-0.05"},
        Case{"decimal_negative_zero_is_zero", text(Kind::Decimal, "-0.00"), "0"},
        Case{"decimal_zero_integer", text(Kind::Decimal, "0"), "0"},
        Case{"decimal_tens_keep_zeros", text(Kind::Decimal, "100"), "100"},
        Case{"decimal_exponent_written_out", text(Kind::Decimal, "1.E+3"), "1000"},
        Case{"decimal_negative_exponent_written_out", text(Kind::Decimal, "-1.5E-3"), "-0.0015"},
        Case{"decimal_exponent_inside_digits", text(Kind::Decimal, "12.34e1"), "123.4"},
        Case{"decimal_overflow_stars_kept", text(Kind::Decimal, "****"), "****"},
        Case{"decimal_lone_point_kept", text(Kind::Decimal, "."), "."},
        Case{"decimal_comma_kept", text(Kind::Decimal, "1,5"), "1,5"},
        Case{"decimal_huge_exponent_kept", text(Kind::Decimal, "1E+99999"), "1E+99999"},
        Case{"boolean_true", integer(Kind::Boolean, 1), "True"},
        Case{"boolean_false", integer(Kind::Boolean, 0), "False"},
        Case{"date_padded", date(7, 3, 9), "0007-03-09"},
        Case{"date_plain", date(2022, 10, 10), "2022-10-10"},
        Case{"datetime_padded", dateTime(2013, 5, 3, 6, 4, 5), "2013-05-03 06:04:05"}),
    dbtest::CaseName());

TEST(CellTextAppend, AppendsAfterWhatTheBufferHolds)
{
    std::string buffer = "row:";
    database::appendText(text(Kind::Decimal, "12.50"), buffer);
    database::appendText(integer(Kind::Currency, -5000), buffer);
    database::appendText(text(Kind::Null, ""), buffer);
    database::appendText(text(Kind::Binary, "\x01"), buffer);
    EXPECT_EQ(buffer, "row:12.5-0.501");
}

}  // namespace
