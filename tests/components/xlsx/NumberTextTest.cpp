// Numbers as printf's "%.16G" writes them (glibc is the reference here): each class of value
// whose digits come from a different path of appendNumber, swept with many values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

#include "components/xlsx/NumberText.h"

namespace {

struct ValueClass
{
    const char* name;
    std::function<double(std::mt19937_64&)> make;
};

void PrintTo(const ValueClass& c, std::ostream* out)
{
    *out << c.name;
}

std::string printed(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.16G", value);
    return text;
}

std::string ours(double value)
{
    char text[xlsx::kMaxNumberText];
    return std::string(text, xlsx::appendNumber(text, value));
}

class NumberTextTest : public ::testing::TestWithParam<ValueClass>
{
};

TEST_P(NumberTextTest, MatchesPrintf)
{
    std::mt19937_64 random(2024);
    int mismatches = 0;
    for (int i = 0; i < 200'000 && mismatches < 5; ++i) {
        const double value = GetParam().make(random);
        if (!std::isfinite(value))
            continue;
        if (ours(value) != printed(value)) {
            ADD_FAILURE() << "value " << printed(value) << " (" << std::hexfloat << value
                          << std::defaultfloat << ") written as " << ours(value);
            ++mismatches;
        }
    }
}

double fromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextTest,
    ::testing::Values(
        ValueClass{"any_bit_pattern", [](auto& r) { return fromBits(r()); }},
        ValueClass{"money_with_two_decimals",
                   [](auto& r) { return (double(r() % 20'000'000'000) - 1e10) / 100; }},
        ValueClass{
            "date_times_as_serials",
            [](auto& r) { return double(r() % 2'958'465) + double(r() % 86'400) / 86'400.0; }},
        ValueClass{"fractions_of_every_size",
                   [](auto& r) { return std::ldexp(double(r() >> 11), -int(r() % 100)); }},
        ValueClass{"near_powers_of_ten",
                   [](auto& r) {
                       const double power = std::pow(10.0, double(r() % 40) - 20);
                       return std::nextafter(power, r() % 2 ? 0.0 : DBL_MAX) * (r() % 2 ? 1 : -1);
                   }},
        ValueClass{"near_one_e15_and_one_e16",
                   [](auto& r) {
                       const double base = r() % 2 ? 1e15 : 1e16;
                       return base + double(std::int64_t(r() % 64) - 32) / 4;
                   }},
        ValueClass{"halves_at_the_sixteenth_digit",
                   [](auto& r) { return double(r() % (std::uint64_t(1) << 53)) / 2; }},
        ValueClass{"integers_and_negative_zero",
                   [](auto& r) {
                       const double value = double(std::int64_t(r() % 2'000'000'000'000'000) -
                                                   1'000'000'000'000'000);
                       return r() % 50 == 0 ? -0.0 : value;
                   }},
        ValueClass{"tiny_and_subnormal",
                   [](auto& r) { return fromBits(r() % 0x0020000000000000ULL); }}),
    [](const auto& c) { return std::string(c.param.name); });

}  // namespace

namespace {

std::string exact(double value)
{
    char text[xlsx::kMaxNumberText];
    return std::string(text, xlsx::appendExactNumber(text, value));
}

// A double read from a table must read back as itself: the reference writer's 16 digits where
// they do, 17 where they lose it.
TEST(ExactNumberText, ReadsBackAsTheSameDouble)
{
    EXPECT_EQ(exact(12.5), "12.5");
    EXPECT_EQ(exact(1e300), "1E+300");
    EXPECT_EQ(exact(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(exact(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(exact(-0.1 - 0.2), "-0.30000000000000004");
    std::mt19937_64 random(7);
    for (int i = 0; i < 100'000; ++i) {
        std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            continue;
        const std::string text = exact(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
}

}  // namespace
