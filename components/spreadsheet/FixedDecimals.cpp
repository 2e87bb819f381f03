// Fixed decimals: the format code and the width of the shown text.
#include "components/spreadsheet/FixedDecimals.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace spreadsheet {

namespace {

// A sign, the 309 integer digits of the largest double, the point and 30 decimals.
constexpr std::size_t kFixedTextCapacity = 352;

}  // namespace

std::string fixedDecimalsCode(int decimals)
{
    return "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

int fixedDecimalsWidth(double value, int decimals)
{
    std::array<char, kFixedTextCapacity> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    return static_cast<int>(end - text.data());
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
