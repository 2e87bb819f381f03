// Which decimals a number cell holds exactly and which dates every spreadsheet program reads
// alike: only those are stored as numbers and dates, so no value is changed by a rounding or a
// calendar quirk.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "components/spreadsheet/CellValue.h"

namespace {

using spreadsheet::CellDate;

struct DecimalCase
{
    const char* name;
    std::string text;
    std::optional<double> expected;  // nullopt: stays text
};

void PrintTo(const DecimalCase& c, std::ostream* out)
{
    *out << c.name;
}

class ExactDecimal : public ::testing::TestWithParam<DecimalCase>
{
};

TEST_P(ExactDecimal, NumberOnlyWhenTheDoubleHoldsItAsWritten)
{
    EXPECT_EQ(spreadsheet::exactDecimal(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ExactDecimal,
    ::testing::Values(
        DecimalCase{"trailing_zero", "12.50", 12.5},
        DecimalCase{"negative", "-1234.5678", -1234.5678}, DecimalCase{"leading_point", ".5", 0.5},
        DecimalCase{"fifteen_digits", "1234567890.12345", 1234567890.12345},
        DecimalCase{"leading_zeros_not_significant", "0.000123456789012345", 0.000123456789012345},
        DecimalCase{"trailing_integer_zeros_not_significant", "100000000000000000000", 1e20},
        DecimalCase{"sixteen_digits_stay_text", "1234567890123456", std::nullopt},
        DecimalCase{"twenty_digit_identifier_stays_text", "12345678901234567890", std::nullopt},
        DecimalCase{"exponent_stays_text", "1E+5", std::nullopt},
        DecimalCase{"comma_stays_text", "1,5", std::nullopt},
        DecimalCase{"plus_stays_text", "+1", std::nullopt},
        DecimalCase{"blank_padded_stays_text", " 1", std::nullopt},
        DecimalCase{"two_points_stay_text", "1.2.3", std::nullopt},
        DecimalCase{"bare_sign_stays_text", "-", std::nullopt},
        DecimalCase{"bare_point_stays_text", ".", std::nullopt},
        DecimalCase{"overflow_stars_stay_text", "*****", std::nullopt},
        DecimalCase{"huge_stays_text", "1" + std::string(400, '0'), std::nullopt}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(ExactDecimal, NegativeZeroIsPlainZero)
{
    const std::optional<double> value = spreadsheet::exactDecimal("-0.00");
    ASSERT_TRUE(value.has_value());
    EXPECT_FALSE(std::signbit(*value));
}

struct DateCase
{
    const char* name;
    CellDate date;
    bool spreadsheetDate;
};

void PrintTo(const DateCase& c, std::ostream* out)
{
    *out << c.name;
}

class SpreadsheetDate : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(SpreadsheetDate, OnlyDaysEveryProgramCountsAlike)
{
    EXPECT_EQ(spreadsheet::isSpreadsheetDate(GetParam().date), GetParam().spreadsheetDate);
}

constexpr CellDate date(int y, int m, int d)
{
    return {y, m, d, 0, 0, 0, false};
}

constexpr CellDate dateTime(int y, int m, int d, int h, int mi, int s)
{
    return {y, m, d, h, mi, s, true};
}

INSTANTIATE_TEST_SUITE_P(
    Days, SpreadsheetDate,
    ::testing::Values(DateCase{"leap_day", date(2024, 2, 29), true},
                      DateCase{"first_common_day", date(1900, 3, 1), true},
                      DateCase{"last_day", date(9999, 12, 31), true},
                      DateCase{"with_time", dateTime(2000, 1, 1, 18, 0, 0), true},
                      DateCase{"placeholder_1900_01_01_counted_apart", date(1900, 1, 1), false},
                      DateCase{"last_day_before_phantom_leap_day", date(1900, 2, 28), false},
                      DateCase{"phantom_leap_day", date(1900, 2, 29), false},
                      DateCase{"before_1900", date(1899, 12, 31), false},
                      DateCase{"not_leap", date(2023, 2, 29), false},
                      DateCase{"month_13", date(2024, 13, 1), false},
                      DateCase{"after_9999", date(10000, 1, 1), false},
                      DateCase{"hour_24", dateTime(2024, 1, 1, 24, 0, 0), false},
                      DateCase{"second_60", dateTime(2024, 1, 1, 23, 59, 60), false}),
    [](const auto& c) { return std::string(c.param.name); });

}  // namespace
