// Scalar field decoding: one single-field table per case, built byte by byte, each row a
// fault seen in real readers (lost second, blank date shown as a date, lost sign ...).
#include <gtest/gtest.h>

#include "components/vfp/RecordReader.h"
#include "tests/support/TableBytes.h"

namespace {

using namespace vfptest;

struct Case
{
    const char* name;
    RawField field;
    std::string bytes;
    std::string expected;
};

std::string decodeOne(const Case& c)
{
    TableBytes table;
    table.fields = {c.field};
    table.add({c.bytes});
    const vfp::Table opened = vfp::Table::open(vfp::memorySource(table.build(), "t.dbf"), nullptr);
    vfp::RecordReader reader(opened);
    EXPECT_TRUE(reader.next());
    vfp::Value value;
    reader.read(0, value);
    return describe(value);
}

class FieldDecodeTest : public testing::TestWithParam<Case>
{
};

TEST_P(FieldDecodeTest, DecodesStoredBytes)
{
    EXPECT_EQ(decodeOne(GetParam()), GetParam().expected);
}

const RawField kChar5{"F", 'C', 5};
const RawField kNum8{"F", 'N', 8, 2};
const RawField kDate{"F", 'D', 8};
const RawField kDateTime{"F", 'T', 8, 0, 0x04};
const RawField kLogical{"F", 'L', 1};

INSTANTIATE_TEST_SUITE_P(
    Character, FieldDecodeTest,
    testing::Values(Case{"keeps_trailing_blanks", kChar5, "ab   ", "text:ab   "},
                    Case{"keeps_leading_blanks", kChar5, "  ab ", "text:  ab "},
                    Case{"drops_nul_padding", kChar5, std::string("ab\0\0\0", 5), "text:ab"},
                    // NOCPTRANS: no translation between code pages, still text
                    Case{"binary_flag_still_text_in_its_code_page", RawField{"F", 'C', 3, 0, 0x04},
                         "Gr\xfc", "text:Gr\xc3\xbc"},
                    Case{"binary_flag_varchar_still_text", RawField{"F", 'V', 5, 0, 0x04}, "Groot",
                         "text:Groot"},
                    Case{"wide_field_length_high_byte_in_decimals", RawField{"F", 'C', 300, 1},
                         std::string(299, 'x') + "y", "text:" + std::string(299, 'x') + "y"}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Numeric, FieldDecodeTest,
    testing::Values(Case{"right_justified", kNum8, "   12.50", "dec:12.50"},
                    Case{"negative", kNum8, "   -0.50", "dec:-0.50"},
                    Case{"blank_is_null", kNum8, "        ", "null"},
                    Case{"overflow_stars_kept_as_text", kNum8, "********", "dec:********"},
                    Case{"trailing_nuls", kNum8, std::string(" 60.00\0\0", 8), "dec:60.00"},
                    Case{"leading_point", kNum8, "     .5 ", "dec:0.5"},
                    Case{"negative_leading_point", kNum8, "    -.25", "dec:-0.25"},
                    Case{"lone_point_is_blank", kNum8, "       .", "null"},
                    Case{"foxpro2_blank_with_point_is_null", kNum8, "     .  ", "null"},
                    Case{"exponent_written_out", kNum8, "  1.E+3 ", "dec:1000"},
                    Case{"negative_exponent", kNum8, " 25E-3  ", "dec:0.025"},
                    Case{"comma_decimal_kept_as_text", kNum8, "     1,5", "dec:1,5"},
                    Case{"plus_sign_dropped", kNum8, "      +7", "dec:7"},
                    Case{"negative_zero_loses_sign", kNum8, "   -0.00", "dec:0.00"},
                    Case{"leading_zeros_dropped", kNum8, "00012.30", "dec:12.30"},
                    Case{"float_reads_like_numeric", RawField{"F", 'F', 10, 2}, "    123.45",
                         "dec:123.45"}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Binary, FieldDecodeTest,
    testing::Values(Case{"integer_negative", RawField{"F", 'I', 4, 0, 0x04},
                         le32(static_cast<std::uint32_t>(-5)), "int:-5"},
                    Case{"integer_largest", RawField{"F", 'I', 4, 0, 0x04}, le32(0x7FFFFFFF),
                         "int:2147483647"},
                    Case{"currency_observed_bytes", RawField{"F", 'Y', 8, 4, 0x04},
                         std::string("\x39\x30\0\0\0\0\0\0", 8), "cy:12345"},
                    Case{"currency_negative", RawField{"F", 'Y', 8, 4, 0x04},
                         le64(static_cast<std::uint64_t>(-12345)), "cy:-12345"},
                    Case{"double_observed_bytes", RawField{"F", 'B', 8, 2, 0x04},
                         "\x66\x66\x66\x66\x66\x66\x02\x40", "double:2.3"}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Date, FieldDecodeTest,
    testing::Values(Case{"valid", kDate, "20130503", "date:2013-05-03"},
                    Case{"leap_day", kDate, "20000229", "date:2000-02-29"},
                    Case{"blank_is_null", kDate, "        ", "null"},
                    Case{"zeros_are_null", kDate, "00000000", "null"},
                    Case{"nuls_are_null", kDate, std::string(8, '\0'), "null"},
                    Case{"zeros_and_spaces_are_null", kDate, "0000    ", "null"},
                    Case{"other_format_kept_as_text", kDate, "24/01/20", "text:24/01/20"},
                    Case{"impossible_day_kept_as_text", kDate, "20230230", "text:20230230"}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DateTime, FieldDecodeTest,
    testing::Values(
        // 2013-05-03 is Julian day 2456416; FoxPro stored 16:46:19.999 for 16:46:20
        Case{"ms_999_rounds_up", kDateTime, dateTime(2456416, 60379999),
             "datetime:2013-05-03 16:46:20"},
        Case{"ms_499_rounds_down", kDateTime, dateTime(2456416, 60379499),
             "datetime:2013-05-03 16:46:19"},
        Case{"midnight", kDateTime, dateTime(2451545, 0), "datetime:2000-01-01 00:00:00"},
        Case{"last_half_second_rolls_into_next_day", kDateTime, dateTime(2451545, 86399500),
             "datetime:2000-01-02 00:00:00"},
        Case{"zero_bytes_are_null", kDateTime, std::string(8, '\0'), "null"},
        Case{"spaces_are_null", kDateTime, std::string(8, ' '), "null"},
        Case{"day_zero_is_a_time_of_day", kDateTime, dateTime(0, 36000000), "text:10:00:00"},
        Case{"time_past_midnight_kept_as_bytes", kDateTime, dateTime(2451545, 90000000),
             "bin:" + hex(dateTime(2451545, 90000000))},
        Case{"day_before_year_one_kept_as_bytes", kDateTime, dateTime(1000, 0),
             "bin:" + hex(dateTime(1000, 0))}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Logical, FieldDecodeTest,
    testing::Values(Case{"T", kLogical, "T", "bool:true"}, Case{"t", kLogical, "t", "bool:true"},
                    Case{"Y", kLogical, "Y", "bool:true"}, Case{"y", kLogical, "y", "bool:true"},
                    Case{"F", kLogical, "F", "bool:false"}, Case{"f", kLogical, "f", "bool:false"},
                    Case{"N", kLogical, "N", "bool:false"}, Case{"n", kLogical, "n", "bool:false"},
                    Case{"blank_is_null", kLogical, " ", "null"},
                    Case{"question_mark_is_null", kLogical, "?", "null"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
