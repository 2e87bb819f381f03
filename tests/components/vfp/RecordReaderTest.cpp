// Walking records: deleted ones skipped wherever the buffer ends, positioning, and a file
// cut short while it is read.
#include <filesystem>

#include <gtest/gtest.h>

#include "components/vfp/RecordReader.h"
#include "components/vfp/VfpError.h"
#include "tests/support/TableBytes.h"
#include "tests/support/TempDir.h"

namespace {

using namespace vfptest;

// ID I(4): record n holds n; every third record (n % 3 == 2) is deleted.
std::string numberedTable(int count)
{
    TableBytes table;
    table.fields = {{"ID", 'I', 4, 0, 0x04}};
    for (int n = 0; n < count; ++n)
        table.add({le32(static_cast<std::uint32_t>(n))}, n % 3 == 2);
    return table.build();
}

std::vector<std::int64_t> liveIds(vfp::RecordReader& reader)
{
    std::vector<std::int64_t> ids;
    vfp::Value value;
    while (reader.next()) {
        reader.read(0, value);
        ids.push_back(value.integer);
    }
    return ids;
}

TEST(RecordReaderTest, SkipsDeletedRecordsWhereverTheBufferEnds)
{
    const vfp::Table table =
        vfp::Table::open(vfp::memorySource(numberedTable(100), "t.dbf"), nullptr);
    std::vector<std::int64_t> expected;
    for (int n = 0; n < 100; ++n)
        if (n % 3 != 2)
            expected.push_back(n);
    for (const std::size_t buffer :
         {std::size_t{1}, std::size_t{5 * 4}, std::size_t{7 * 5}, std::size_t{1} << 20}) {
        vfp::RecordReader reader(table, buffer);
        EXPECT_EQ(liveIds(reader), expected) << "buffer of " << buffer << " bytes";
    }
    EXPECT_EQ(table.liveRecordCount(), expected.size());
}

TEST(RecordReaderTest, SeeksAndRewinds)
{
    const vfp::Table table =
        vfp::Table::open(vfp::memorySource(numberedTable(10), "t.dbf"), nullptr);
    vfp::RecordReader reader(table, 8);
    vfp::Value value;
    EXPECT_FALSE(reader.seek(5)) << "record 5 is deleted";
    EXPECT_THROW(reader.read(0, value), vfp::VfpError);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.recordNumber(), 6u);
    ASSERT_TRUE(reader.seek(1));
    reader.read(0, value);
    EXPECT_EQ(value.integer, 1);
    EXPECT_FALSE(reader.seek(10));
    EXPECT_FALSE(reader.next());
    reader.rewind();
    EXPECT_EQ(liveIds(reader).size(), 7u);
}

// Looking at a table as stored: a deleted record is read and said to be deleted, a live one is
// not, and the walk goes on after the record looked at.
TEST(RecordReaderTest, SeekStoredStandsOnDeletedRecordsToo)
{
    const vfp::Table table =
        vfp::Table::open(vfp::memorySource(numberedTable(10), "t.dbf"), nullptr);
    vfp::RecordReader reader(table, 8);
    vfp::Value value;
    for (const std::uint32_t n : {5u, 1u, 8u}) {
        ASSERT_TRUE(reader.seekStored(n)) << n;
        reader.read(0, value);
        EXPECT_EQ(value.integer, n) << "record " << n << " read from another record's bytes";
        EXPECT_EQ(reader.isDeleted(), n % 3 == 2) << n;
    }
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.recordNumber(), 9u);
    EXPECT_FALSE(reader.seekStored(10));
    EXPECT_FALSE(reader.isDeleted());
    EXPECT_THROW(reader.read(0, value), vfp::VfpError);
}

TEST(RecordReaderTest, ReadingBeforeTheFirstRecordIsAnError)
{
    const vfp::Table table =
        vfp::Table::open(vfp::memorySource(numberedTable(1), "t.dbf"), nullptr);
    vfp::RecordReader reader(table);
    vfp::Value value;
    EXPECT_THROW(reader.read(0, value), vfp::VfpError);
}

TEST(RecordReaderTest, FileCutShortWhileReadingIsReported)
{
    testsupport::TempDir dir;
    const auto path = dir.write("t.dbf", numberedTable(100000));
    const vfp::Table table = vfp::Table::open(path);
    vfp::RecordReader reader(table, 4096);
    ASSERT_TRUE(reader.next());
    std::filesystem::resize_file(path, 1000);
    try {
        while (reader.next()) {
        }
        FAIL() << "the cut went unnoticed";
    } catch (const vfp::VfpError& error) {
        EXPECT_NE(std::string(error.what()).find("t.dbf became shorter while it was read"),
                  std::string::npos);
    }
    EXPECT_THROW(table.liveRecordCount(), vfp::VfpError);
}

TEST(RecordReaderTest, ReadBytesLeavesTextUndecoded)
{
    TableBytes bytes;
    bytes.fields = {{"NAME", 'C', 3}};
    bytes.add({"\xe9t\xe9"});
    const vfp::Table table = vfp::Table::open(vfp::memorySource(bytes.build(), "t.dbf"), nullptr);
    vfp::RecordReader reader(table);
    ASSERT_TRUE(reader.next());
    vfp::Value value;
    reader.readBytes(0, value);
    EXPECT_EQ(describe(value), "bin:e974e9");
    reader.read(0, value);
    EXPECT_EQ(describe(value), "text:été");
}

}  // namespace
