// Damaged tables: one valid table changed in one way per case. Each case ends in the outcome
// we chose: a VfpError naming the file and the problem, or exactly the records present.
// Run under ASan, a read past a buffer fails even when the values look right.
#include <functional>

#include <gtest/gtest.h>

#include "components/vfp/RecordReader.h"
#include "components/vfp/VfpError.h"
#include "tests/support/TableBytes.h"
#include "tests/support/TempDir.h"

namespace {

using namespace vfptest;

struct Files
{
    std::string dbf;
    std::string fpt;
    bool hasFpt = true;
};

// ID I, NAME C(10), NOTES M; three records, the second without a memo. Header 392 bytes,
// records of 19 bytes at 392, 411 and 430; memos at blocks 8 and 9 of a 64-byte-block .fpt.
constexpr std::size_t kHeader = 392;
constexpr std::size_t kRecord = 19;

Files valid()
{
    Files files;
    std::vector<std::uint32_t> pointers;
    files.fpt = fptBytes(64, {{1, "first memo"}, {1, "third memo"}}, pointers);
    TableBytes table;
    table.fields = {{"ID", 'I', 4, 0, 0x04}, {"NAME", 'C', 10}, {"NOTES", 'M', 4}};
    table.add({le32(1), left("alpha", 10), le32(pointers[0])});
    table.add({le32(2), left("beta", 10), le32(0)});
    table.add({le32(3), left("gamma", 10), le32(pointers[1])});
    files.dbf = table.build();
    return files;
}

void put(std::string& bytes, std::size_t at, const std::string& value)
{
    bytes.replace(at, value.size(), value);
}

const std::string kNames = "names:ID|NAME|NOTES";
const std::string kRow1 = "int:1|text:alpha     |text:first memo";
const std::string kRow2 = "int:2|text:beta      |text:";
const std::string kRow3 = "int:3|text:gamma     |text:third memo";

struct Case
{
    const char* name;
    std::function<Files()> build;
    std::string error;                   // part of the expected message; empty: no error
    std::vector<std::string> rows = {};  // names line, then each live record
    std::string note = {};               // part of an expected note
};

class DamagedTableTest : public testing::TestWithParam<Case>
{
};

TEST_P(DamagedTableTest, GivesTheChosenOutcome)
{
    const Case& c = GetParam();
    const Files files = c.build();
    testsupport::TempDir dir;
    const auto dbf = dir.write("t.dbf", files.dbf);
    if (files.hasFpt)
        dir.write("t.fpt", files.fpt);
    std::vector<std::string> rows;
    try {
        const vfp::Table table = vfp::Table::open(dbf);
        std::string names = "names:";
        for (const auto& field : table.fields())
            names += (names.size() > 6 ? "|" : "") + field.name;
        rows.push_back(names);
        vfp::RecordReader reader(table, 64);  // a small buffer crosses buffer ends often
        std::vector<vfp::Value> values;
        while (reader.next()) {
            reader.readAll(values);
            std::string row;
            for (const vfp::Value& value : values)
                row += (row.empty() ? "" : "|") + describe(value);
            rows.push_back(row);
        }
        EXPECT_EQ(table.liveRecordCount(), rows.size() - 1);
        if (!c.note.empty()) {
            std::string notes;
            for (const std::string& note : table.notes())
                notes += note + "\n";
            EXPECT_NE(notes.find(c.note), std::string::npos) << notes;
        }
        EXPECT_TRUE(c.error.empty()) << "expected the error: " << c.error;
        EXPECT_EQ(rows, c.rows);
    } catch (const vfp::VfpError& error) {
        const std::string message = error.what();
        EXPECT_FALSE(c.error.empty()) << "unexpected error: " << message;
        EXPECT_NE(message.find(c.error), std::string::npos) << message;
        EXPECT_NE(message.find("t."), std::string::npos)
            << "the message names no file: " << message;
    }
}

Files changed(const std::function<void(Files&)>& change)
{
    Files files = valid();
    change(files);
    return files;
}

INSTANTIATE_TEST_SUITE_P(
    Header, DamagedTableTest,
    testing::Values(
        Case{"shorter_than_fixed_header",
             [] { return changed([](Files& f) { f.dbf.resize(20); }); },
             "t.dbf is not a readable table: it has 20 bytes, fewer than the 32 its header needs"},
        Case{"cut_inside_field_list", [] { return changed([](Files& f) { f.dbf.resize(100); }); },
             "it has 100 bytes, fewer than the 392 its header needs"},
        Case{"field_list_runs_past_header_length",
             [] { return changed([](Files& f) { put(f.dbf, 8, le16(112)); }); },
             "its field list runs past the 112-byte header without the 0x0D byte"},
        Case{"descriptors_fill_header_without_terminator",
             [] {
                 return changed([](Files& f) {
                     f.dbf = f.dbf.substr(0, 128) + f.dbf.substr(kHeader);
                     put(f.dbf, 8, le16(128));
                 });
             },
             "",
             {kNames, kRow1, kRow2, kRow3},
             "lacks its 0x0D end byte"},
        Case{"zero_fields",
             [] {
                 return changed([](Files& f) {
                     f.dbf = f.dbf.substr(0, 32) + "\x0D";
                     put(f.dbf, 4, le32(0));
                     put(f.dbf, 8, le16(33));
                     put(f.dbf, 10, le16(1));
                 });
             },
             "t.dbf is not a readable table: its header lists no fields"},
        Case{"unknown_field_type", [] { return changed([](Files& f) { f.dbf[64 + 11] = 'O'; }); },
             "t.dbf: field NAME has type 'O', which is not a FoxPro field type"},
        Case{"width_impossible_for_type",
             [] { return changed([](Files& f) { f.dbf[32 + 16] = 3; }); },
             "t.dbf: field ID of type 'I' has width 3"},
        Case{"garbage_after_nul_in_field_name",
             [] {
                 return changed([](Files& f) { put(f.dbf, 64, std::string("NAME\0XY\x01", 8)); });
             },
             "",
             {kNames, kRow1, kRow2, kRow3}},
        Case{"unknown_version_byte_but_consistent",
             [] { return changed([](Files& f) { f.dbf[0] = 0x07; }); },
             "",
             {kNames, kRow1, kRow2, kRow3}}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Records, DamagedTableTest,
    testing::Values(
        Case{"record_length_shorter_than_fields",
             [] {
                 return changed([](Files& f) {
                     put(f.dbf, 10, le16(15));
                     f.dbf += "12345";  // and the file size confirms neither length
                 });
             },
             "t.dbf: field NOTES (offset 15, width 4) ends past the 15-byte record"},
        Case{"record_length_wrong_but_file_size_confirms_fields",
             [] { return changed([](Files& f) { put(f.dbf, 10, le16(15)); }); },
             "",
             {kNames, kRow1, kRow2, kRow3},
             "the file size confirms 19"},
        Case{"record_length_counts_deletion_byte_twice",
             [] { return changed([](Files& f) { put(f.dbf, 10, le16(20)); }); },
             "",
             {kNames, kRow1, kRow2, kRow3},
             "the file size confirms 19"},
        Case{"record_length_longer_than_fields_and_file_agrees",
             [] {
                 return changed([](Files& f) {
                     std::string bytes = f.dbf.substr(0, kHeader);
                     for (std::size_t i = 0; i < 3; ++i)
                         bytes += f.dbf.substr(kHeader + i * kRecord, kRecord) + "#";
                     f.dbf = bytes + "\x1a";
                     put(f.dbf, 10, le16(20));
                 });
             },
             "",
             {kNames, kRow1, kRow2, kRow3}},
        Case{"header_count_beyond_file",
             [] { return changed([](Files& f) { put(f.dbf, 4, le32(5)); }); },
             "",
             {kNames, kRow1, kRow2, kRow3},
             "the header counts 5 records but the file holds 3 whole records"},
        Case{"header_count_below_file_is_trusted",
             [] { return changed([](Files& f) { put(f.dbf, 4, le32(2)); }); },
             "",
             {kNames, kRow1, kRow2}},
        Case{"last_record_cut_short",
             [] { return changed([](Files& f) { f.dbf.resize(kHeader + 2 * kRecord + 10); }); },
             "",
             {kNames, kRow1, kRow2},
             "holds 2 whole records"},
        Case{"no_records_and_no_end_byte",
             [] {
                 return changed([](Files& f) {
                     f.dbf.resize(kHeader);
                     put(f.dbf, 4, le32(0));
                 });
             },
             "",
             {kNames}},
        Case{"deleted_records_skipped",
             [] { return changed([](Files& f) { f.dbf[kHeader + kRecord] = '*'; }); },
             "",
             {kNames, kRow1, kRow3}},
        Case{"deletion_byte_nul_is_live",
             [] { return changed([](Files& f) { f.dbf[kHeader + kRecord] = '\0'; }); },
             "",
             {kNames, kRow1, kRow2, kRow3}},
        Case{"end_of_file_byte_inside_data_is_data",
             [] { return changed([](Files& f) { f.dbf[kHeader + 5] = '\x1a'; }); },
             "",
             {kNames, "int:1|text:\x1alpha     |text:first memo", kRow2, kRow3}}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Memo, DamagedTableTest,
    testing::Values(
        Case{"memo_file_missing", [] { return changed([](Files& f) { f.hasFpt = false; }); },
             "NOTES cannot be read: t.fpt is missing; it belongs next to t.dbf."},
        Case{"memo_file_missing_but_never_needed",
             [] {
                 return changed([](Files& f) {
                     f.hasFpt = false;
                     put(f.dbf, kHeader + 15, le32(0));
                     put(f.dbf, kHeader + 2 * kRecord + 15, le32(0));
                 });
             },
             "",
             {kNames, "int:1|text:alpha     |text:", kRow2, "int:3|text:gamma     |text:"},
             "t.fpt is missing"},
        Case{"memo_pointer_past_end",
             [] { return changed([](Files& f) { put(f.dbf, kHeader + 15, le32(1000)); }); },
             "NOTES of record 1 cannot be read from t.fpt: the memo pointer (block 1000) points "
             "past its end (640 bytes)"},
        Case{"memo_length_past_end",
             [] { return changed([](Files& f) { put(f.fpt, 8 * 64 + 4, be32(0x00FFFFFF)); }); },
             "NOTES of record 1 cannot be read from t.fpt: the memo at block 8 claims more bytes "
             "than the file holds"},
        Case{"memo_pointer_into_header_reads_its_unused_bytes",
             [] { return changed([](Files& f) { put(f.dbf, kHeader + 15, le32(3)); }); },
             "",
             {kNames, "int:1|text:alpha     |text:", kRow2, kRow3}},
        Case{"memo_file_shorter_than_its_header",
             [] { return changed([](Files& f) { f.fpt.resize(4); }); },
             "NOTES of record 1 cannot be read from t.fpt: its header is cut short"}),
    [](const auto& row) { return std::string(row.param.name); });

// Tables of another shape, damaged in their null flags or memo pointers.
Files shaped(std::vector<RawField> fields, std::vector<std::string> record,
             std::uint8_t version = 0x30)
{
    Files files;
    files.hasFpt = false;
    TableBytes table;
    table.version = version;
    table.fields = std::move(fields);
    table.add(record);
    files.dbf = table.build();
    return files;
}

std::vector<RawField> nineNullable(int nullFlagsBytes)
{
    std::vector<RawField> fields;
    for (char name = 'A'; name <= 'I'; ++name)
        fields.push_back({std::string(1, name), 'C', 1, 0, 0x02});
    fields.push_back({"_NullFlags", '0', nullFlagsBytes, 0, 0x05});
    return fields;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, DamagedTableTest,
    testing::Values(
        Case{"nullable_fields_without_null_flags_field",
             [] {
                 return shaped({{"A", 'C', 2, 0, 0x02}, {"V", 'V', 3}}, {"ab", "xy\x01"});
             },
             "",
             {"names:A|V", "text:ab|text:xy\x01"},
             "no _NullFlags field"},
        Case{"null_flags_shorter_than_its_bits",
             [] {
                 return shaped(nineNullable(1),
                               {"a", "b", "c", "d", "e", "f", "g", "h", "i", "\xff"});
             },
             "",
             {"names:A|B|C|D|E|F|G|H|I", "null|null|null|null|null|null|null|null|text:i"},
             "_NullFlags has 8 bits but the fields need 9"},
        Case{"varchar_length_byte_past_field_is_clamped",
             [] {
                 return shaped({{"V", 'V', 4}, {"_NullFlags", '0', 1, 0, 0x05}},
                               {"abc\xc8", "\x01"}, 0x32);
             },
             "",
             {"names:V", "text:abc"}},
        Case{"ascii_memo_pointer_not_a_number",
             [] {
                 return shaped({{"NOTES", 'M', 10}}, {"     12x45"}, 0xF5);
             },
             "NOTES of record 1 in t.dbf cannot be read: its memo pointer is not a number"},
        Case{"dbase3_header_without_backlink",
             [] {
                 return shaped({{"CODE", 'C', 3}, {"AMOUNT", 'N', 6, 2}}, {"abc", "  1.50"}, 0x03);
             },
             "",
             {"names:CODE|AMOUNT", "text:abc|dec:1.50"}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
