// "%.16G" without printf: whole numbers below 1E+15 as integers, other numbers from 1 to 1E+15
// by exact integer arithmetic on the double's bits (a 53-bit mantissa times at most 10^15 fits
// 128 bits), the rest (rare in tables) by std::to_chars with printf's own rules.
#include "components/xlsx/NumberText.h"

#include <bit>
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

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Digits of value (below 10^16): from its bit length, then one comparison.
int digitCount(std::uint64_t value)
{
    const int bits = 64 - std::countl_zero(value | 1);
    const int guess = (bits * 1233) >> 12;  // 1233 / 4096 is just above log10(2)
    return guess + (value >= kPowersOf10[guess] ? 1 : 0);
}

char* appendUnsigned(char* out, std::uint64_t value)
{
    return std::to_chars(out, out + 20, value).ptr;
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
    const int fractionDigits = kSignificantDigits - digitCount(mantissa >> shift);  // 1 to 15
    const Wide scaled = static_cast<Wide>(mantissa) * kPowersOf10[fractionDigits];
    Wide rounded = scaled >> shift;
    const Wide rest = scaled & ((static_cast<Wide>(1) << shift) - 1);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (rounded & 1) != 0))
        ++rounded;
    const auto digits = static_cast<std::uint64_t>(rounded);
    const int wholeDigits = kSignificantDigits - fractionDigits;
    if (digits == kPowersOf10[kSignificantDigits])
        return appendUnsigned(out, kPowersOf10[wholeDigits]);  // rounded up to 10^wholeDigits
    // The 16 digits two at a time into a buffer with room to spare, then copied in fixed sizes
    // around the point: no call for a copy, no division by a power of ten only known now.
    char text[32] = {};
    // Two halves of eight digits, each written a pair at a time: two short chains of
    // divisions by constants rather than one long one.
    std::uint64_t high = digits / 100'000'000;
    std::uint64_t low = digits % 100'000'000;
    for (int at = 6; at >= 0; at -= 2) {
        std::memcpy(text + at, kDigitPairs + 2 * (high % 100), 2);
        std::memcpy(text + 8 + at, kDigitPairs + 2 * (low % 100), 2);
        high /= 100;
        low /= 100;
    }
    std::memcpy(out, text, kSignificantDigits);
    int last = kSignificantDigits;
    while (last > wholeDigits && text[last - 1] == '0')
        --last;
    if (last == wholeDigits)
        return out + wholeDigits;
    out[wholeDigits] = '.';
    std::memcpy(out + wholeDigits + 1, text + wholeDigits, kSignificantDigits);
    return out + last + 1;
}

}  // namespace

char* appendNumber(char* out, double value)
{
    const double magnitude = std::fabs(value);
    // Whole when converting to an integer and back changes nothing (std::floor may be a call).
    if (magnitude < kFixedLimit &&
        static_cast<double>(static_cast<std::uint64_t>(magnitude)) == magnitude) {
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

char* appendExactNumber(char* out, double value)
{
    char* end = appendNumber(out, value);
    double readBack = 0;
    if (std::from_chars(out, end, readBack).ptr == end && readBack == value)
        return end;
    end = std::to_chars(out, out + kMaxNumberText, value, std::chars_format::general,
                        kSignificantDigits + 1)
              .ptr;
    for (char* p = out; p != end; ++p) {
        if (*p == 'e')
            *p = 'E';
    }
    return end;
}

}  // namespace xlsx
