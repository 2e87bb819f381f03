// _NullFlags: bits handed out in field order to V/Q fields (length bit) and nullable fields
// (null bit) only, LSB first; NULL and empty with identical field bytes; varchar lengths.
#include <gtest/gtest.h>

#include "components/vfp/RecordReader.h"
#include "tests/support/TableBytes.h"

namespace {

using namespace vfptest;

constexpr std::uint8_t kNullable = 0x02;
constexpr std::uint8_t kBinary = 0x04;

struct Record
{
    std::vector<std::string> fieldBytes;  // without _NullFlags
    std::string nullFlags;
    std::vector<std::string> expected;
};

struct Case
{
    const char* name;
    std::vector<RawField> fields;  // without _NullFlags
    std::vector<Record> records;
};

class NullFlagsTest : public testing::TestWithParam<Case>
{
};

TEST_P(NullFlagsTest, ReadsEachFieldByItsOwnBits)
{
    const Case& c = GetParam();
    TableBytes table;
    table.version = 0x32;
    table.fields = c.fields;
    table.fields.push_back(
        {"_NullFlags", '0', static_cast<int>(c.records.front().nullFlags.size()), 0, 0x05});
    for (const Record& record : c.records) {
        std::vector<std::string> bytes = record.fieldBytes;
        bytes.push_back(record.nullFlags);
        table.add(bytes);
    }
    const vfp::Table opened = vfp::Table::open(vfp::memorySource(table.build(), "t.dbf"), nullptr);
    ASSERT_EQ(opened.fields().size(), c.fields.size()) << "_NullFlags must not be a user field";
    vfp::RecordReader reader(opened);
    std::vector<vfp::Value> values;
    for (const Record& record : c.records) {
        ASSERT_TRUE(reader.next());
        reader.readAll(values);
        std::vector<std::string> got;
        for (const vfp::Value& value : values)
            got.push_back(describe(value));
        EXPECT_EQ(got, record.expected);
    }
}

std::vector<RawField> nineNullableAroundTwoVarchars()
{
    std::vector<RawField> fields;
    for (int i = 0; i < 9; ++i) {
        fields.push_back({"N" + std::to_string(i), 'C', 1, 0, kNullable});
        if (i == 2 || i == 6)
            fields.push_back({"V" + std::to_string(i), 'V', 3});
    }
    return fields;
}

std::vector<std::string> nineNullableBytes()
{
    return {"a", "b", "c", "xy\x02", "d", "e", "f", "g", "uvw", "h", "i"};
}

INSTANTIATE_TEST_SUITE_P(
    Bits, NullFlagsTest,
    testing::Values(
        // bits: A none, B null 0, C none, D length 1, E length 2 + null 3, F null 4 (ordinal
        // numbering would put F at bit 5)
        Case{"bits_follow_nullable_and_variable_fields_only",
             {{"A", 'C', 2},
              {"B", 'C', 2, 0, kNullable},
              {"C", 'I', 4, 0, kBinary},
              {"D", 'V', 5},
              {"E", 'V', 5, 0, kNullable},
              {"F", 'D', 8, 0, kNullable}},
             {Record{{"aa", "bb", le32(7), "ab  \x02", "     ", "20240131"},
                     "\x0A",
                     {"text:aa", "text:bb", "int:7", "text:ab", "null", "date:2024-01-31"}},
              Record{{"aa", "  ", le32(8), "abcde", std::string("    \0", 5), "        "},
                     "\x15",
                     {"text:aa", "null", "int:8", "text:abcde", "text:", "null"}}}},
        // 9 nullable C fields and 2 varchars: 11 bits over two bytes; N7 has bit 9
        Case{"more_than_eight_bits_continue_in_the_next_byte",
             nineNullableAroundTwoVarchars(),
             {Record{nineNullableBytes(),
                     std::string("\x08\x02", 2),
                     {"text:a", "text:b", "text:c", "text:xy", "text:d", "text:e", "text:f",
                      "text:g", "text:uvw", "null", "text:i"}}}},
        Case{"null_and_empty_share_their_bytes",
             {{"C", 'C', 3, 0, kNullable}, {"M", 'M', 4, 0, kNullable}},
             {Record{{"   ", le32(0)}, "\x03", {"null", "null"}},
              Record{{"   ", le32(0)}, std::string(1, '\0'), {"text:   ", "text:"}}}},
        Case{"varchar_keeps_its_trailing_blanks_at_full_width",
             {{"V", 'V', 4}},
             {Record{{"ab  "}, std::string(1, '\0'), {"text:ab  "}},
              Record{{"ab \x03"}, "\x01", {"text:ab "}}}},
        Case{"nullable_varchar_has_length_bit_then_null_bit",
             {{"V", 'V', 4, 0, kNullable}, {"W", 'V', 4, 0, kNullable}},
             {Record{{"    ", "ab \x02"}, "\x06", {"null", "text:ab"}}}},
        Case{"varbinary_gives_its_stored_length",
             {{"Q", 'Q', 6, 0, kBinary}},
             {Record{{std::string("\x00\xff\x20  \x03", 6)}, "\x01", {"bin:00ff20"}},
              Record{{std::string("\x01\x02\x03\x04\x05\x06", 6)},
                     std::string(1, '\0'),
                     {"bin:010203040506"}}}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
