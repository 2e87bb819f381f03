// Which texts become numbers, dates and booleans: only the exact forms, so no text is changed
// by a guess and no number loses a digit.
#include <gtest/gtest.h>

#include <cmath>

#include "components/spreadsheet/CellValue.h"

namespace {

using spreadsheet::CellKind;
using spreadsheet::CellValue;
using spreadsheet::DateTimeParts;

struct ValueCase
{
    const char* name;
    CellKind kind;
    std::string text;
    CellValue expected;
};

void PrintTo(const ValueCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string describe(const CellValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return "number " + std::to_string(*number);
    if (const auto* date = std::get_if<DateTimeParts>(&value))
        return "date " + std::to_string(date->year) + "-" + std::to_string(date->month) + "-" +
               std::to_string(date->day) + (date->hasTime ? " with time" : "");
    if (const auto* boolean = std::get_if<bool>(&value))
        return *boolean ? "true" : "false";
    return "text";
}

class CellValueForm : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(CellValueForm, StoresOnlyExactForms)
{
    const CellValue value = spreadsheet::cellValue(GetParam().text, GetParam().kind);
    EXPECT_EQ(describe(value), describe(GetParam().expected));
    EXPECT_TRUE(value == GetParam().expected);
}

constexpr DateTimeParts date(int y, int m, int d)
{
    return {y, m, d, 0, 0, 0, false};
}

constexpr DateTimeParts dateTime(int y, int m, int d, int h, int mi, int s)
{
    return {y, m, d, h, mi, s, true};
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CellValueForm,
    ::testing::Values(
        ValueCase{"number_trailing_zero", CellKind::Number, "12.50", 12.5},
        ValueCase{"number_negative", CellKind::Number, "-1234.5678", -1234.5678},
        ValueCase{"number_leading_point", CellKind::Number, ".5", 0.5},
        ValueCase{"number_fifteen_digits", CellKind::Number, "1234567890.12345", 1234567890.12345},
        ValueCase{"number_leading_zeros_not_significant", CellKind::Number, "0.000123456789012345",
                  0.000123456789012345},
        ValueCase{"number_trailing_integer_zeros_not_significant", CellKind::Number,
                  "100000000000000000000", 1e20},
        ValueCase{"number_sixteen_digits_stay_text", CellKind::Number, "1234567890123456", {}},
        ValueCase{"number_twenty_digits_stay_text", CellKind::Number, "12345678901234567890", {}},
        ValueCase{"number_exponent_stays_text", CellKind::Number, "1E+5", {}},
        ValueCase{"number_comma_stays_text", CellKind::Number, "1,5", {}},
        ValueCase{"number_plus_stays_text", CellKind::Number, "+1", {}},
        ValueCase{"number_blank_padded_stays_text", CellKind::Number, " 1", {}},
        ValueCase{"number_two_points_stay_text", CellKind::Number, "1.2.3", {}},
        ValueCase{"number_bare_sign_stays_text", CellKind::Number, "-", {}},
        ValueCase{"number_bare_point_stays_text", CellKind::Number, ".", {}},
        ValueCase{"number_overflow_stays_text", CellKind::Number, "1" + std::string(400, '0'), {}},
        ValueCase{"text_hint_never_a_number", CellKind::Text, "12", {}},
        ValueCase{"text_hint_never_a_formula", CellKind::Text, "=1+1", {}},
        ValueCase{"date", CellKind::Date, "2024-02-29", date(2024, 2, 29)},
        ValueCase{"date_first_day", CellKind::Date, "1900-01-01", date(1900, 1, 1)},
        ValueCase{"date_before_1900_stays_text", CellKind::Date, "1899-12-31", {}},
        ValueCase{"date_not_leap_stays_text", CellKind::Date, "2023-02-29", {}},
        ValueCase{"date_1900_not_leap", CellKind::Date, "1900-02-29", {}},
        ValueCase{"date_month_13_stays_text", CellKind::Date, "2024-13-01", {}},
        ValueCase{"date_short_form_stays_text", CellKind::Date, "2024-1-31", {}},
        ValueCase{"date_with_time_keeps_time", CellKind::Date, "2024-01-31 12:30:00",
                  dateTime(2024, 1, 31, 12, 30, 0)},
        ValueCase{"datetime", CellKind::DateTime, "2013-05-03 16:46:20",
                  dateTime(2013, 5, 3, 16, 46, 20)},
        ValueCase{"datetime_bare_date", CellKind::DateTime, "2013-05-03", date(2013, 5, 3)},
        ValueCase{"datetime_hour_24_stays_text", CellKind::DateTime, "2024-01-01 24:00:00", {}},
        ValueCase{"datetime_second_60_stays_text", CellKind::DateTime, "2024-01-01 23:59:60", {}},
        ValueCase{"datetime_t_separator_stays_text", CellKind::DateTime, "2024-01-01T10:00:00", {}},
        ValueCase{"boolean_true", CellKind::Boolean, "True", true},
        ValueCase{"boolean_false", CellKind::Boolean, "False", false},
        ValueCase{"boolean_other_spelling_stays_text", CellKind::Boolean, "true", {}}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(CellValueNumber, NegativeZeroIsPlainZero)
{
    const CellValue value = spreadsheet::cellValue("-0.00", CellKind::Number);
    ASSERT_TRUE(std::holds_alternative<double>(value));
    EXPECT_FALSE(std::signbit(std::get<double>(value)));
}

}  // namespace
