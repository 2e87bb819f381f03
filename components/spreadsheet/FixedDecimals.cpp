// Fixed decimals: the format code and the width of the shown text.
#include "components/spreadsheet/FixedDecimals.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace spreadsheet {

namespace {

// A sign, the 309 integer digits of the largest double, the point and 30 decimals.
constexpr std::size_t kFixedTextCapacity = 352;

// 10^0 to 10^30; up to 10^22 (kExactPowers) each is exactly that number.
constexpr std::array<double, 31> kPowersOfTen = [] {
    std::array<double, 31> powers{};
    double power = 1;
    for (double& each : powers) {
        each = power;
        power *= 10;
    }
    return powers;
}();
constexpr std::size_t kExactPowers = 23;

// How near (relative) a value may come to the point where rounding carries into a new digit
// before only the formatted text tells: a few units in the last place of a double.
constexpr double kCarryBand = 1e-15;

// The length of the text to_chars gives `value` with `decimals` decimals.
int formattedWidth(double value, int decimals)
{
    std::array<char, kFixedTextCapacity> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    return static_cast<int>(end - text.data());
}

}  // namespace

std::string fixedDecimalsCode(int decimals)
{
    return "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

int fixedDecimalsWidth(double value, int decimals)
{
    // Counted without formatting: the integer digits, one more where rounding to the decimals
    // carries into a new one (9.996 shows 10.00), the sign to_chars writes (also for -0.001
    // shown -0.00), the point and the decimals. Values too large to count, or too near the
    // carry to tell, are formatted.
    const double magnitude = std::fabs(value);
    std::size_t digits = 1;
    while (digits < kExactPowers && magnitude >= kPowersOfTen[digits])
        ++digits;
    if (digits == kExactPowers)
        return formattedWidth(value, decimals);
    const double next = kPowersOfTen[digits];
    const double carry = next - 0.5 / kPowersOfTen[static_cast<std::size_t>(decimals)];
    if (std::fabs(magnitude - carry) <= next * kCarryBand)
        return formattedWidth(value, decimals);
    return (std::signbit(value) ? 1 : 0) + static_cast<int>(digits) + (magnitude > carry ? 1 : 0) +
           1 + decimals;
}

int fixedDecimalsWidth(std::string_view digits, double value, int decimals)
{
    const std::size_t point = digits.find('.');
    const std::size_t fraction = point == std::string_view::npos ? 0 : digits.size() - point - 1;
    if (fraction > static_cast<std::size_t>(decimals))
        return fixedDecimalsWidth(value, decimals);  // rounded: 9.999 shows 10.00
    const bool negative = digits.starts_with('-');
    const std::size_t whole = std::min(point, digits.size()) - (negative ? 1 : 0);
    // "-0" reads as 0 and shows no sign; ".5" shows its zero: "0.50".
    return (negative && value != 0 ? 1 : 0) + static_cast<int>(std::max<std::size_t>(whole, 1)) +
           1 + decimals;
}

}  // namespace spreadsheet
