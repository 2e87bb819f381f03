// The table writer: every type written and read back, the bytes it writes checked against
// the format's layout (so reader and writer cannot share a mistake), and refused values.
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "components/vfp/RecordReader.h"
#include "components/vfp/VfpError.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TableBytes.h"
#include "tests/support/TempDir.h"

namespace {

using namespace vfptest;
using vfp::FieldType;

using V = vfp::Value;

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::vector<std::string>> readBack(const std::filesystem::path& path)
{
    const vfp::Table table = vfp::Table::open(path);
    vfp::RecordReader reader(table);
    std::vector<vfp::Value> values;
    std::vector<std::vector<std::string>> rows;
    while (reader.next()) {
        reader.readAll(values);
        std::vector<std::string> row;
        for (const vfp::Value& value : values)
            row.push_back(describe(value));
        rows.push_back(row);
    }
    return rows;
}

const std::vector<vfpwriter::FieldDefinition> kEveryType = {
    {"NAME", FieldType::Character, 10},
    {"RAW", FieldType::Character, 4, 0, false, true},
    {"VNAME", FieldType::Varchar, 8, 0, true},
    {"VBIN", FieldType::Varbinary, 6},
    {"NOTES", FieldType::Memo, 0, 0, true},
    {"MBIN", FieldType::Memo, 0, 0, false, true},
    {"OLE", FieldType::General},
    {"BLOB", FieldType::Blob},
    {"PIC", FieldType::Picture},
    {"AMOUNT", FieldType::Numeric, 10, 2},
    {"RATIO", FieldType::Float, 12, 3},
    {"ID", FieldType::Integer, 0, 0, false, false, true},
    {"REAL", FieldType::Double, 0, 2},
    {"PRICE", FieldType::Currency},
    {"BORN", FieldType::Date, 0, 0, true},
    {"STAMP", FieldType::DateTime},
    {"OK", FieldType::Logical, 0, 0, true},
};

TEST(TableWriterTest, EveryTypeReadsBackAsWritten)
{
    const std::string longMemo(1000, 'm');
    for (const std::uint32_t blockSize : {1u, 64u, 512u}) {
        testsupport::TempDir dir;
        const auto path = dir.path() / "all.dbf";
        vfpwriter::WriteOptions options;
        options.memoBlockSize = blockSize;
        vfpwriter::TableWriter writer(path, kEveryType, options);
        writer.append({V::fromText("Zürich"), V::fromBinary(std::string("\0\x81", 2)),
                       V::fromText("Zürich"), V::fromBinary("\x01\x02"), V::fromText("notes é"),
                       V::fromBinary(std::string("\xff\0", 2)), V::fromBinary("ole"),
                       V::fromBinary("blob"), V::fromBinary("pic"), V::fromDecimal("-12.5"),
                       V::fromDouble(3.25), V::fromInteger(-7), V::fromDouble(2.3),
                       V::fromCurrency(-12345), V::fromDate(2024, 2, 29),
                       V::fromDateTime(2013, 5, 3, 16, 46, 20), V::fromBoolean(true)});
        writer.append({V{}, V{}, V::null(), V{}, V::null(), V{}, V{}, V{}, V{}, V{}, V{}, V{}, V{},
                       V{}, V::null(), V{}, V::null()});
        std::vector<vfp::Value> deleted(kEveryType.size(), V{});
        deleted[0] = V::fromText("deleted");
        writer.append(deleted, true);
        writer.append({V{}, V{}, V::fromText("12345678"), V::fromBinary("abcdef"),
                       V::fromText(longMemo), V{}, V{}, V{}, V{}, V{}, V{}, V{}, V{}, V{}, V{}, V{},
                       V{}});
        writer.close();
        const std::vector<std::vector<std::string>> expected = {
            // The binary flag of a character field only stops code-page translation: its bytes
            // read as text of the table's code page.
            {"text:Zürich    ", std::string("text:\0\xC2\x81  ", 10), "text:Zürich", "bin:0102",
             "text:notes é", "bin:ff00", "bin:6f6c65", "bin:626c6f62", "bin:706963", "dec:-12.5",
             "dec:3.250", "int:-7", "double:2.3", "cy:-12345", "date:2024-02-29",
             "datetime:2013-05-03 16:46:20", "bool:true"},
            {"text:          ", "text:    ", "null", "bin:", "null", "bin:", "bin:", "bin:", "bin:",
             "null", "null", "int:0", "double:0", "cy:0", "null", "null", "null"},
            {"text:          ", "text:    ", "text:12345678", "bin:616263646566",
             "text:" + longMemo, "bin:", "bin:", "bin:", "bin:", "null", "null", "int:0",
             "double:0", "cy:0", "null", "null", "null"}};
        EXPECT_EQ(readBack(path), expected) << "memo blocks of " << blockSize << " bytes";
        EXPECT_EQ(vfp::Table::open(path).recordCount(), 4u) << "the deleted record is written";
    }
}

TEST(TableWriterTest, WritesTheBytesTheFormatPrescribes)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "t.dbf";
    vfpwriter::TableWriter writer(path, {{"ID", FieldType::Integer},
                                         {"NAME", FieldType::Varchar, 10, 0, true},
                                         {"NOTES", FieldType::Memo}});
    writer.append({V::fromInteger(5), V::fromText("vfield"), V::fromText("memo")});
    writer.close();
    const std::string dbf = slurp(path);
    const int headerLength =
        32 + 32 * 4 + 1 + 263;  // three fields and _NullFlags, then the back-link
    ASSERT_EQ(dbf.size(), static_cast<std::size_t>(headerLength + 20 + 1));
    EXPECT_EQ(dbf[0], '\x32') << "varchar tables are 0x32";
    EXPECT_EQ(dbf.substr(4, 4), le32(1)) << "record count patched at close";
    EXPECT_EQ(dbf.substr(8, 2), le16(static_cast<std::uint16_t>(headerLength)));
    EXPECT_EQ(dbf.substr(10, 2), le16(20));
    EXPECT_EQ(dbf[28] & 0x02, 0x02) << "has-memo flag";
    EXPECT_EQ(dbf[29], '\x03');
    EXPECT_EQ(dbf.substr(32, 11), std::string("ID\0\0\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(dbf.substr(43, 8), "I" + le32(1) + std::string("\x04\x00\x04", 3));
    EXPECT_EQ(dbf.substr(64 + 11, 8), "V" + le32(5) + std::string("\x0a\x00\x02", 3));
    EXPECT_EQ(dbf.substr(96 + 11, 8), "M" + le32(15) + std::string("\x04\x00\x00", 3));
    EXPECT_EQ(dbf.substr(128, 11), std::string("_NullFlags\0", 11));
    EXPECT_EQ(dbf.substr(139, 8), "0" + le32(19) + std::string("\x01\x00\x05", 3));
    EXPECT_EQ(dbf[160], '\x0D');
    EXPECT_EQ(dbf.substr(static_cast<std::size_t>(headerLength), 20),
              " " + le32(5) + "vfield   \x06" + le32(8) + "\x01");
    EXPECT_EQ(dbf.back(), '\x1A');

    const std::string fpt = slurp(dir.path() / "t.fpt");
    EXPECT_EQ(fpt.substr(0, 4), be32(9)) << "next free block";
    EXPECT_EQ(fpt.substr(6, 2), std::string("\x00\x40", 2)) << "block size, big-endian";
    EXPECT_EQ(fpt.substr(512, 12), be32(1) + be32(4) + "memo");
    EXPECT_EQ(fpt.size(), 576u);
}

TEST(TableWriterTest, DateTimesCanBeWrittenTheWayFoxProStoresThem)
{
    for (const bool oneShort : {false, true}) {
        testsupport::TempDir dir;
        const auto path = dir.path() / "t.dbf";
        vfpwriter::WriteOptions options;
        options.datetimeOneMsShort = oneShort;
        vfpwriter::TableWriter writer(path, {{"STAMP", FieldType::DateTime}}, options);
        writer.append({V::fromDateTime(2013, 5, 3, 16, 46, 20)});
        writer.close();
        const std::string dbf = slurp(path);
        EXPECT_EQ(dbf.substr(32 + 32 + 1 + 263 + 1, 8),
                  dateTime(2456416, oneShort ? 60379999 : 60380000));
        EXPECT_EQ(readBack(path),
                  (std::vector<std::vector<std::string>>{{"datetime:2013-05-03 16:46:20"}}));
    }
}

TEST(TableWriterTest, RefusesValuesThatDoNotFitAndWritesNothingOfThem)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "t.dbf";
    vfpwriter::TableWriter writer(path, {{"CODE", FieldType::Character, 3},
                                         {"ID", FieldType::Integer},
                                         {"DAY", FieldType::Date},
                                         {"AMOUNT", FieldType::Numeric, 4, 1}});
    const std::vector<std::vector<vfp::Value>> refused = {
        {V::fromText("toolong"), V::fromInteger(1), V::fromDate(2020, 1, 1), V::fromDouble(1)},
        {V::null(), V::fromInteger(1), V::fromDate(2020, 1, 1), V::fromDouble(1)},
        {V::fromText("abc"), V::fromText("1"), V::fromDate(2020, 1, 1), V::fromDouble(1)},
        {V::fromText("abc"), V::fromInteger(1), V::fromDate(2023, 2, 30), V::fromDouble(1)},
        {V::fromText("abc"), V::fromInteger(1), V::fromDate(2020, 1, 1), V::fromDouble(12345)},
        {V::fromText("abc"), V::fromInteger(1LL << 40), V::fromDate(2020, 1, 1), V::fromDouble(1)},
        {V::fromText("abc"), V::fromInteger(1)},
    };
    for (const auto& values : refused)
        EXPECT_THROW(writer.append(values), vfp::VfpError);
    EXPECT_EQ(writer.recordCount(), 0u);
    writer.append(
        {V::fromText("abc"), V::fromInteger(1), V::fromDate(2020, 1, 1), V::fromDouble(1)});
    writer.close();
    EXPECT_EQ(readBack(path), (std::vector<std::vector<std::string>>{
                                  {"text:abc", "int:1", "date:2020-01-01", "dec:1.0"}}));
}

TEST(TableWriterTest, RefusesFieldListsFoxProCannotHold)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "t.dbf";
    const std::vector<std::vector<vfpwriter::FieldDefinition>> refused = {
        {},
        {{"NAME_TOO_LONG", FieldType::Character, 5}},
        {{"A-B", FieldType::Character, 5}},
        {{"A", FieldType::Character, 5}, {"a", FieldType::Integer}},
        {{"A", FieldType::Character, 255}},
        {{"A", FieldType::Date, 10}},
        {{"A", FieldType::NullFlags, 1}},
    };
    for (const auto& fields : refused)
        EXPECT_THROW(vfpwriter::TableWriter(path, fields), vfp::VfpError);
    std::vector<vfpwriter::FieldDefinition> tooMany;
    for (int n = 0; n < 256; ++n)
        tooMany.push_back({"F" + std::to_string(n), FieldType::Logical});
    EXPECT_THROW(vfpwriter::TableWriter(path, tooMany), vfp::VfpError);
}

TEST(TableWriterTest, ClosePatchesTheCountOfAStreamedTable)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "t.dbf";
    {
        vfpwriter::TableWriter writer(path, {{"N", FieldType::Integer}});
        for (int n = 0; n < 3000; ++n)
            writer.append({V::fromInteger(n)}, n % 10 == 0);
    }  // the destructor closes
    const vfp::Table table = vfp::Table::open(path);
    EXPECT_EQ(table.headerRecordCount(), 3000u);
    EXPECT_EQ(table.liveRecordCount(), 2700u);
}

}  // namespace
