// Fixed decimals: the format code and the width of the shown text.
#include "components/spreadsheet/FixedDecimals.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace spreadsheet {

namespace {

// A sign, the 309 integer digits of the largest double, the point and 30 decimals.
constexpr std::size_t kFixedTextCapacity = 352;

// 10^0 to 10^30, as doubles (each exact up to 10^22) and, up to 10^19, as integers.
constexpr std::array<double, 31> kPowersOfTen = [] {
    std::array<double, 31> powers{};
    double power = 1;
    for (double& each : powers) {
        each = power;
        power *= 10;
    }
    return powers;
}();
constexpr std::array<std::uint64_t, 20> kWholePowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& each : powers) {
        each = power;
        power *= 10;
    }
    return powers;
}();

// Values from here on have their integer digits counted by formatting them.
constexpr double kCountedLimit = 1e18;

// Half a unit of the last of 0 to 30 decimals: from 0.5 up, a value rounds up.
constexpr std::array<double, 31> kHalfUnits = [] {
    std::array<double, 31> halves{};
    for (std::size_t decimals = 0; decimals < halves.size(); ++decimals)
        halves[decimals] = 0.5 / kPowersOfTen[decimals];
    return halves;
}();

// The decimal digits of whole (1 for 0): log10 from the bit width, corrected by one compare.
std::size_t digitsOf(std::uint64_t whole)
{
    const std::uint64_t counted = whole | 1;  // as many digits, and 0 has one
    const auto guess = static_cast<std::size_t>(std::bit_width(counted) * 1233 >> 12);
    return guess + (counted >= kWholePowersOfTen[guess] ? 1 : 0);
}

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
    if (!(magnitude < kCountedLimit))
        return formattedWidth(value, decimals);
    const std::size_t digits = digitsOf(static_cast<std::uint64_t>(magnitude));
    const double next = kPowersOfTen[digits];
    const double carry = next - kHalfUnits[static_cast<std::size_t>(decimals)];
    if (std::fabs(magnitude - carry) <= next * kCarryBand)
        return formattedWidth(value, decimals);
    return (std::signbit(value) ? 1 : 0) + static_cast<int>(digits) + (magnitude > carry ? 1 : 0) +
           1 + decimals;
}

}  // namespace spreadsheet
