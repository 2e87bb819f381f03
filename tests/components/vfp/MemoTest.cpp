// Memo files: FoxPro .fpt with any block size, FoxPro 2 ASCII pointers, dBase III and IV
// .dbt; text decoded in the table's code page, binary kinds kept as bytes.
#include <functional>

#include <gtest/gtest.h>

#include "components/vfp/RecordReader.h"
#include "tests/support/TableBytes.h"
#include "tests/support/TempDir.h"

namespace {

using namespace vfptest;

struct Files
{
    std::string dbfName = "t.dbf";
    std::string dbf;
    std::string memoName = "t.fpt";
    std::string memo;
};

struct Case
{
    const char* name;
    std::function<Files()> build;
    std::string expected;
};

// A one-field table whose record points at the first memo of an .fpt.
Files fptCase(RawField field, std::uint16_t blockSize,
              std::vector<std::pair<std::uint32_t, std::string>> memos, std::size_t pointTo = 0)
{
    Files files;
    std::vector<std::uint32_t> pointers;
    files.memo = fptBytes(blockSize, memos, pointers);
    TableBytes table;
    table.fields = {field};
    table.add({le32(pointers.empty() ? 0 : pointers[pointTo])});
    files.dbf = table.build();
    return files;
}

const RawField kMemo{"NOTES", 'M', 4};

// A FoxPro 2 table (0xF5) whose 10-byte memo field holds pointer, over an .fpt with "two"
// at block 8.
Files foxPro2Case(const std::string& pointer)
{
    Files files = fptCase(kMemo, 64, {{1, "two"}});
    TableBytes table;
    table.version = 0xF5;
    table.fields = {{"NOTES", 'M', 10}};
    table.add({pointer});
    files.dbf = table.build();
    return files;
}

// dBase memo files: 512-byte header with the next free block little-endian at 0.
std::string dbtHeader(std::uint8_t version, std::uint16_t blockLength)
{
    std::string header(512, '\0');
    header.replace(0, 4, le32(2));
    header[16] = static_cast<char>(version);
    header.replace(20, 2, le16(blockLength));
    return header;
}

Files dbtCase(std::uint8_t tableVersion, RawField field, std::string memo)
{
    Files files;
    files.memoName = "t.dbt";
    files.memo = memo;
    TableBytes table;
    table.version = tableVersion;
    table.codePageMark = 0;
    table.fields = {field};
    table.add({right("1", 10)});
    files.dbf = table.build();
    return files;
}

class MemoTest : public testing::TestWithParam<Case>
{
};

TEST_P(MemoTest, ReadsTheMemo)
{
    const Files files = GetParam().build();
    testsupport::TempDir dir;
    const auto dbf = dir.write(files.dbfName, files.dbf);
    dir.write(files.memoName, files.memo);
    const vfp::Table table = vfp::Table::open(dbf);
    vfp::RecordReader reader(table);
    ASSERT_TRUE(reader.next());
    vfp::Value value;
    reader.read(0, value);
    EXPECT_EQ(describe(value), GetParam().expected);
}

const std::string kLong(200 * 1024, 'q');  // larger than the reader's 64 KiB memo window

INSTANTIATE_TEST_SUITE_P(
    Fpt, MemoTest,
    testing::Values(
        Case{"text_decoded_from_code_page",
             [] {
                 return fptCase(kMemo, 64, {{1, "Z\xfcrich"}});
             },
             "text:Zürich"},
        Case{"pointer_zero_is_empty", [] { return fptCase(kMemo, 64, {}); }, "text:"},
        Case{"empty_block_is_empty",
             [] {
                 return fptCase(kMemo, 64, {{1, ""}});
             },
             "text:"},
        Case{"binary_flag_keeps_bytes",
             [] {
                 return fptCase({"M", 'M', 4, 0, 0x04}, 64, {{1, std::string("\0\x81\xff", 3)}});
             },
             "bin:0081ff"},
        Case{"general_is_bytes",
             [] {
                 return fptCase({"G", 'G', 4}, 64, {{2, "\x01\x02"}});
             },
             "bin:0102"},
        Case{"picture_is_bytes",
             [] {
                 return fptCase({"P", 'P', 4}, 64, {{0, "\x89PNG"}});
             },
             "bin:89504e47"},
        Case{"blob_is_bytes",
             [] {
                 return fptCase({"W", 'W', 4, 0, 0x04}, 64, {{1, "ab"}});
             },
             "bin:6162"},
        Case{"block_size_1",
             [] {
                 return fptCase(kMemo, 1, {{1, "x"}, {1, "one-byte blocks"}}, 1);
             },
             "text:one-byte blocks"},
        Case{"block_size_512",
             [] {
                 return fptCase(kMemo, 512, {{1, "a"}, {1, "big blocks"}}, 1);
             },
             "text:big blocks"},
        Case{"block_size_odd",
             [] {
                 return fptCase(kMemo, 33, {{1, std::string(40, 'a')}, {1, "odd"}}, 1);
             },
             "text:odd"},
        Case{"block_size_0_means_1",
             [] {
                 return fptCase(kMemo, 0, {{1, "zero"}, {1, "read as one"}}, 1);
             },
             "text:read as one"},
        Case{"last_block_not_padded",
             [] {
                 Files files = fptCase(kMemo, 64, {{1, "end"}});
                 files.memo.resize(512 + 8 + 3);
                 return files;
             },
             "text:end"},
        Case{"memo_larger_than_read_window",
             [] {
                 return fptCase(kMemo, 64, {{1, kLong}});
             },
             "text:" + kLong},
        Case{"memo_file_name_case_differs",
             [] {
                 Files files = fptCase(kMemo, 64, {{1, "found"}});
                 files.dbfName = "T.DBF";
                 files.memoName = "t.Fpt";
                 return files;
             },
             "text:found"},
        Case{"foxpro2_ascii_pointer", [] { return foxPro2Case(right("8", 10)); }, "text:two"},
        Case{"foxpro2_blank_pointer_is_empty", [] { return foxPro2Case(std::string(10, ' ')); },
             "text:"}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Dbt, MemoTest,
    testing::Values(
        Case{"dbase3_text_ends_at_1a",
             [] {
                 return dbtCase(0x83, {"NOTES", 'M', 10}, dbtHeader(3, 0) + "hello\x1a\x1a");
             },
             "text:hello"},
        Case{"dbase3_text_spans_blocks",
             [] {
                 return dbtCase(0x83, {"NOTES", 'M', 10},
                                dbtHeader(3, 0) + std::string(600, 'x') + "\x1a\x1a");
             },
             "text:" + std::string(600, 'x')},
        Case{"dbase3_text_without_end_byte_stops_at_file_end",
             [] {
                 return dbtCase(0x83, {"NOTES", 'M', 10}, dbtHeader(3, 0) + "cut");
             },
             "text:cut"},
        Case{"dbase3_text_without_end_byte_stops_after_4_mib",
             [] {
                 return dbtCase(0x83, {"NOTES", 'M', 10},
                                dbtHeader(3, 0) + std::string((4 << 20) + 100, 'x'));
             },
             "text:" + std::string(4 << 20, 'x')},
        Case{"dbase4_length_counts_block_head",
             [] {
                 return dbtCase(0x8B, {"NOTES", 'M', 10},
                                dbtHeader(0, 512) + std::string("\xff\xff\x08\x00", 4) +
                                    le32(8 + 5) + "hello");
             },
             "text:hello"},
        Case{"dbase4_binary_memo_field_b",
             [] {
                 return dbtCase(0x8B, {"IMAGE", 'B', 10},
                                dbtHeader(0, 512) + std::string("\xff\xff\x08\x00", 4) +
                                    le32(8 + 2) + "\x01\x02");
             },
             "bin:0102"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
