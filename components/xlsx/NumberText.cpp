// "%.16G" without printf: whole numbers below 1E+15 as integers, other numbers from 1 to 1E+15
// by exact integer arithmetic on the double's bits (a 53-bit mantissa times at most 10^15 fits
// 128 bits), the rest (rare in tables) by std::to_chars with printf's own rules.
#include "components/xlsx/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace xlsx {

namespace {

__extension__ using Wide = unsigned __int128;  // GCC and Clang have it on 64-bit targets

constexpr int kSignificantDigits = 16;
constexpr double kFixedLimit = 1e15;  // below: fixed notation with 16 digits, whatever rounds

constexpr std::uint64_t kPowersOf10[] = {1,
                                         10,
                                         100,
                                         1'000,
                                         10'000,
                                         100'000,
                                         1'000'000,
                                         10'000'000,
                                         100'000'000,
                                         1'000'000'000,
                                         10'000'000'000,
                                         100'000'000'000,
                                         1'000'000'000'000,
                                         10'000'000'000'000,
                                         100'000'000'000'000,
                                         1'000'000'000'000'000,
                                         10'000'000'000'000'000};

int digitCount(std::uint64_t value)
{
    int digits = 1;
    while (digits < 17 && value >= kPowersOf10[digits])
        ++digits;
    return digits;
}

char* appendUnsigned(char* out, std::uint64_t value)
{
    return std::to_chars(out, out + 20, value).ptr;
}

char* put(char* out, const char* from, const char* to)
{
    std::memcpy(out, from, static_cast<std::size_t>(to - from));
    return out + (to - from);
}

// magnitude in [1, 1E+15) with a fraction: 16 significant digits, rounded half to even on the
// exact binary value as glibc's printf does, trailing zeros of the fraction dropped.
char* appendFixed(char* out, double magnitude)
{
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1075;
    const std::uint64_t mantissa =
        (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    const int shift = -exponent;  // 1 to 52: magnitude = mantissa / 2^shift
    const int fractionDigits = kSignificantDigits - digitCount(mantissa >> shift);
    const Wide scaled = static_cast<Wide>(mantissa) * kPowersOf10[fractionDigits];
    Wide rounded = scaled >> shift;
    const Wide rest = scaled & ((static_cast<Wide>(1) << shift) - 1);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (rounded & 1) != 0))
        ++rounded;
    // 16 digits, or 17 when the value rounds up to the next power of ten; the last
    // fractionDigits of them follow the point.
    char digits[24];
    char* end = appendUnsigned(digits, static_cast<std::uint64_t>(rounded));
    const char* point = end - fractionDigits;
    while (end > point && end[-1] == '0')
        --end;
    out = put(out, digits, point);
    if (end > point) {
        *out++ = '.';
        out = put(out, point, end);
    }
    return out;
}

}  // namespace

char* appendNumber(char* out, double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude < kFixedLimit && magnitude == std::floor(magnitude)) {
        if (std::signbit(value))
            *out++ = '-';  // "-0" as printf writes it
        return appendUnsigned(out, static_cast<std::uint64_t>(magnitude));
    }
    if (magnitude >= 1 && magnitude < kFixedLimit) {
        if (value < 0)
            *out++ = '-';
        return appendFixed(out, magnitude);
    }
    char* end = std::to_chars(out, out + kMaxNumberText, value, std::chars_format::general,
                              kSignificantDigits)
                    .ptr;
    for (char* p = out; p != end; ++p) {
        if (*p == 'e')
            *p = 'E';
    }
    return end;
}

}  // namespace xlsx
