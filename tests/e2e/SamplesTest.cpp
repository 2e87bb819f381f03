// The Samples folder the build writes beside the program: every table reads back with the
// engine exactly as the data set has it, and the data set's reader refuses bad data files.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "components/vfp/RecordReader.h"
#include "components/vfp/Table.h"
#include "samples/SampleTable.h"

namespace {

using vfp::FieldType;
using vfp::Value;

const std::filesystem::path kSamplesDir = QUORVANE_SAMPLES_DIR;
const std::filesystem::path kDataDir = QUORVANE_SAMPLE_DATA_DIR;

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// Read-back equality: character fields come back padded, numeric fields right-justified, and
// a blank value of a non-text field reads as its blank (Null for dates).
bool sameValue(const vfpwriter::FieldDefinition& field, const Value& written, const Value& read)
{
    if (written.kind == Value::Kind::Null || read.kind == Value::Kind::Null)
        return written.kind == read.kind;
    switch (field.type) {
        case FieldType::Character:
            return read.kind == Value::Kind::Text && trimmed(read.bytes) == trimmed(written.bytes);
        case FieldType::Varchar:
        case FieldType::Memo:
            return read.kind == Value::Kind::Text && read.bytes == written.bytes;
        case FieldType::Numeric:
        case FieldType::Float:
            return read.kind == Value::Kind::Decimal && trimmed(read.bytes) == written.bytes;
        case FieldType::Double:
            return read.kind == Value::Kind::Double && read.real == written.real;
        case FieldType::Date:
        case FieldType::DateTime:
            return read.kind == written.kind && read.year == written.year &&
                   read.month == written.month && read.day == written.day &&
                   read.hour == written.hour && read.minute == written.minute &&
                   read.second == written.second;
        default:  // Integer, Currency, Logical
            return read.kind == written.kind && read.integer == written.integer;
    }
}

TEST(SamplesFolder, EveryTableReadsBackAsTheDataSetHasIt)
{
    const std::vector<samples::SampleTable> tables = samples::loadSampleData(kDataDir);
    ASSERT_FALSE(tables.empty());
    for (const samples::SampleTable& expected : tables) {
        SCOPED_TRACE(expected.name);
        const vfp::Table table = vfp::Table::open(kSamplesDir / (expected.name + ".dbf"));
        ASSERT_EQ(table.fields().size(), expected.fields.size());
        for (std::size_t i = 0; i < expected.fields.size(); ++i) {
            EXPECT_EQ(table.fields()[i].headerName, expected.fields[i].name);
            EXPECT_EQ(table.fields()[i].type, expected.fields[i].type);
        }
        EXPECT_EQ(table.liveRecordCount(), expected.liveRecordCount());

        vfp::RecordReader reader(table);
        std::vector<Value> values;
        for (const samples::SampleRecord& record : expected.records) {
            if (record.deleted)
                continue;
            ASSERT_TRUE(reader.next()) << "record of line " << record.line << " is missing";
            reader.readAll(values);
            for (std::size_t i = 0; i < values.size(); ++i)
                EXPECT_TRUE(sameValue(expected.fields[i], record.values[i], values[i]))
                    << "line " << record.line << ", field " << expected.fields[i].name
                    << ": read \"" << values[i].bytes << "\"";
        }
        EXPECT_FALSE(reader.next()) << "more live records than the data set has";
    }
}

// Facts of the data set itself, so that a reader dropping or merging records on both sides
// of the comparison above cannot pass unnoticed.
struct TableFact
{
    const char* name;
    const char* table;
    std::uint32_t liveRecords;
    std::uint32_t allRecords;
};

class SampleTableFacts : public testing::TestWithParam<TableFact>
{
};

TEST_P(SampleTableFacts, HasItsRecords)
{
    const vfp::Table table = vfp::Table::open(kSamplesDir / GetParam().table);
    EXPECT_EQ(table.liveRecordCount(), GetParam().liveRecords);
    EXPECT_EQ(table.recordCount(), GetParam().allRecords);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleTableFacts,
                         testing::Values(TableFact{"customers", "customers.dbf", 12, 12},
                                         TableFact{"products", "products.dbf", 15, 15},
                                         TableFact{"orders_one_deleted", "orders.dbf", 23, 24},
                                         TableFact{"order_lines", "order_lines.dbf", 56, 56},
                                         TableFact{"name_over_31_characters",
                                                   "products_discontinued_before_2020.dbf", 5, 5},
                                         TableFact{"sub_folder", "archive/orders_2019.dbf", 8, 8}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A few values as the data files spell them, decoded by the engine from the table bytes.
TEST(SamplesFolder, KeepsAccentsNullsMemosAndDateTimes)
{
    const vfp::Table customers = vfp::Table::open(kSamplesDir / "customers.dbf");
    vfp::RecordReader reader(customers);
    Value value;
    ASSERT_TRUE(reader.next());  // ALPEN
    reader.read(customers.fieldIndex("CITY"), value);
    EXPECT_EQ(trimmed(value.bytes), "M\xC3\xBCnchen");
    reader.read(customers.fieldIndex("NOTES"), value);
    EXPECT_EQ(value.bytes, "Prefers delivery before 10 am.\nGate code at the loading bay: 4711.");
    ASSERT_TRUE(reader.seek(3));  // DELTA: no contact person
    reader.read(customers.fieldIndex("CONTACT"), value);
    EXPECT_TRUE(value.isNull());
    ASSERT_TRUE(reader.seek(4));  // EMPOR: an empty memo is not Null
    reader.read(customers.fieldIndex("NOTES"), value);
    EXPECT_EQ(value.kind, Value::Kind::Text);
    EXPECT_EQ(value.bytes, "");

    const vfp::Table products = vfp::Table::open(kSamplesDir / "products.dbf");
    vfp::RecordReader productReader(products);
    ASSERT_TRUE(productReader.seek(4));  // Dark Rye Bread Mix
    productReader.read(products.fieldIndex("UNITPRICE"), value);
    EXPECT_EQ(value.kind, Value::Kind::Currency);
    EXPECT_EQ(value.integer, 34875);
    productReader.read(products.fieldIndex("ADDED"), value);
    EXPECT_EQ(value.kind, Value::Kind::DateTime);
    EXPECT_EQ(std::tie(value.year, value.month, value.day, value.hour, value.minute, value.second),
              std::make_tuple(2017, 3, 9, 10, 47, 59));
}

// The data set's reader: each bad data file is refused with a message saying where and why.
struct BadDataCase
{
    const char* name;
    const char* text;
    const char* message;  // part of the error message
};

class BadSampleData : public testing::TestWithParam<BadDataCase>
{
};

TEST_P(BadSampleData, IsRefusedWithWhereAndWhy)
{
    try {
        samples::parseSampleTable(GetParam().text, "t");
        FAIL() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, BadSampleData,
    testing::Values(
        BadDataCase{"unclosed_quote", "A:C:5\n\"abc\n",
                    "t.csv line 2: a quoted cell is not closed"},
        BadDataCase{"text_after_closing_quote", "A:C:5\n\"ab\"c\n", "line 2: a closing quote"},
        BadDataCase{"unknown_type", "A:X\n1\n", "t.csv line 1: field \"A:X\""},
        BadDataCase{"too_few_cells", "A:I,B:I\n1\n",
                    "t.csv line 2: 1 cells where the header names 2"},
        BadDataCase{"null_not_allowed", "A:I\nNULL\n",
                    "line 2, field A: NULL in a field that cannot be Null"},
        BadDataCase{"impossible_date", "A:D\n2023-02-29\n",
                    "field A: \"2023-02-29\" is not a date"},
        BadDataCase{"time_past_midnight", "A:T\n2023-02-28 24:00:00\n", "is not a date-time"},
        BadDataCase{"decimals_would_be_rounded", "A:N:6:2\n1.005\n", "at most 2 decimals"},
        BadDataCase{"currency_fifth_decimal", "A:Y\n1.00001\n", "at most 4 decimals"},
        BadDataCase{"integer_over_32_bits", "A:I\n2147483648\n", "is not a 32-bit integer"},
        BadDataCase{"logical_yes", "A:L\nyes\n", "is not a logical T or F"},
        BadDataCase{"text_beyond_windows_1252", "A:C:5\n\xC5\x81\xC3\xB3\x64\xC5\xBA\n",
                    "is not text that Windows-1252 can hold"},
        BadDataCase{"bad_deleted_mark", "*,A:I\nx,1\n",
                    "line 2: the first cell must be empty or \"*\""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Values the data files write the same way in many places become the kinds the writer takes.
TEST(SampleData, QuotedNullIsTextAndNumbersGetTheirDecimals)
{
    const samples::SampleTable table = samples::parseSampleTable(
        "*,A:C:4:null,B:N:6:2,C:Y,D:L\n*,\"NULL\",-3.5,-0.0105,F\n,NULL,7,12,T\n", "t");
    ASSERT_EQ(table.records.size(), 2u);
    EXPECT_TRUE(table.records[0].deleted);
    EXPECT_EQ(table.liveRecordCount(), 1u);
    const std::vector<Value>& first = table.records[0].values;
    EXPECT_EQ(first[0].kind, Value::Kind::Text);
    EXPECT_EQ(first[0].bytes, "NULL");
    EXPECT_EQ(first[1].bytes, "-3.50");
    EXPECT_EQ(first[2].integer, -105);
    EXPECT_EQ(first[3].integer, 0);
    const std::vector<Value>& second = table.records[1].values;
    EXPECT_TRUE(second[0].isNull());
    EXPECT_EQ(second[1].bytes, "7.00");
    EXPECT_EQ(second[2].integer, 120000);
    EXPECT_EQ(second[3].integer, 1);
}

}  // namespace
