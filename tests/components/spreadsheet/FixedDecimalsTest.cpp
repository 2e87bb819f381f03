// The width of a number shown with fixed decimals, counted without formatting it, against the
// text formatting gives: a miscounted carry (9.996 shown 10.00) or sign fits columns wrongly.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "components/spreadsheet/FixedDecimals.h"
#include "components/spreadsheet/Worksheet.h"

namespace {

// The length of `value` formatted with `decimals` decimals.
int formattedLength(double value, int decimals)
{
    std::array<char, 400> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    return static_cast<int>(end - text.data());
}

// Values around where rounding to `decimals` carries into a new integer digit (9.995 with 2),
// a few doubles either side, both signs, for every power of ten a double holds exactly.
std::vector<double> nearCarries(int decimals)
{
    std::vector<double> values;
    for (int power = 0; power <= 22; ++power) {
        double value = std::pow(10.0, power) - 0.5 * std::pow(10.0, -decimals);
        for (int step = 0; step < 3; ++step)
            value = std::nextafter(value, 0.0);
        for (int step = 0; step < 7; ++step) {
            values.push_back(value);
            values.push_back(-value);
            value = std::nextafter(value, std::numeric_limits<double>::infinity());
        }
    }
    return values;
}

struct WidthFamily
{
    const char* name;
    std::vector<double> values;  // empty: nearCarries for each count of decimals
};

TEST(FixedDecimals, CountedWidthIsTheFormattedLength)
{
    const std::vector<WidthFamily> families = {
        {"carry_into_a_new_digit", {}},
        {"ordinary_amounts", {47.9, -24.19, 25000, -1234567.5, 9999999.996, 0.1 + 0.2, 1.0 / 3}},
        {"below_one_keeps_its_zero", {0.004, 0.005, 0.5, 0.995, 0.9999999, -0.75}},
        {"sign_of_zero_and_tiny_negatives",
         {0.0, -0.0, -0.001, -1e-300, 5e-324, -std::numeric_limits<double>::denorm_min()}},
        {"past_the_counted_powers",
         {1e21, 1e22, -9.999999999999999e22, 1e23, 1e300, -std::numeric_limits<double>::max()}},
    };
    for (const WidthFamily& family : families) {
        for (int decimals = 1; decimals <= spreadsheet::kMaxShownDecimals; ++decimals) {
            const std::vector<double> values =
                family.values.empty() ? nearCarries(decimals) : family.values;
            for (const double value : values)
                EXPECT_EQ(spreadsheet::fixedDecimalsWidth(value, decimals),
                          formattedLength(value, decimals))
                    << family.name << ": " << value << " with " << decimals << " decimals";
        }
    }
}

}  // namespace
