// The recordset walk: deleted records left out of rows and RecordCount, EOF, field lookup,
// and the calls it refuses.
#include <fstream>

#include <gtest/gtest.h>

#include "components/rows/DatabaseError.h"
#include "components/vfpwriter/TableWriter.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

using vfp::FieldType;

// ids 1..6 with 2, 3 and 6 deleted: deleted records at the start of a run, inside it and last.
class RecordsetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        vfpwriter::TableWriter writer(
            mDir.path() / "items.dbf",
            {{"ID", FieldType::Integer}, {"Name", FieldType::Character, 4}});
        for (int id = 1; id <= 6; ++id)
            writer.append({dbtest::integer(id), dbtest::text("n" + std::to_string(id))},
                          id == 2 || id == 3 || id == 6);
        writer.close();
        vfpwriter::TableWriter empty(mDir.path() / "empty.dbf", {{"ID", FieldType::Integer}});
        empty.close();
        mConnection.Open(dbtest::connectionString(mDir.path()));
    }

    void open(const char* table)
    {
        mRecords.Open(
            QStringLiteral("SELECT * FROM `") + QString::fromUtf8(table) + QLatin1Char('`'),
            mConnection, 3, 1);
    }

    testsupport::TempDir mDir;
    database::Connection mConnection;
    database::Recordset mRecords;
};

TEST_F(RecordsetTest, DeletedRecordsAreNeitherCountedNorRead)
{
    const dbtest::ReadTable table = dbtest::readTable(mDir.path(), QStringLiteral("items"));
    EXPECT_EQ(table.count, 3);
    EXPECT_EQ(table.rows, (std::vector<dbtest::Row>{{"1", "n1  "}, {"4", "n4  "}, {"5", "n5  "}}));
}

TEST_F(RecordsetTest, EmptyTableStandsAtEofWithItsFields)
{
    open("empty");
    EXPECT_EQ(mRecords.State(), 1);
    EXPECT_EQ(mRecords.RecordCount(), 0);
    EXPECT_TRUE(mRecords.Eof());
    ASSERT_EQ(mRecords.FieldCount(), 1);
    EXPECT_EQ(mRecords.Fields(0).name(), QStringLiteral("id"));
}

TEST_F(RecordsetTest, FieldsByNameIgnoreCase)
{
    open("items");
    EXPECT_EQ(mRecords.Fields(QStringLiteral("NAME")).name(), QStringLiteral("name"));
    EXPECT_EQ(database::toText(mRecords.Fields(QStringLiteral("Id")).Value()), "1");
    EXPECT_THROW(mRecords.Fields(QStringLiteral("missing")), rows::DatabaseError);
}

TEST_F(RecordsetTest, RefusesWhatItCannotDo)
{
    const QString query = QStringLiteral("SELECT * FROM `items`");
    EXPECT_THROW(mRecords.Open(query, mConnection, 2, 1), rows::DatabaseError) << "dynamic cursor";
    EXPECT_THROW(mRecords.Open(query, mConnection, 3, 3), rows::DatabaseError) << "optimistic lock";
    EXPECT_EQ(mRecords.State(), 0);
    EXPECT_THROW(mRecords.RecordCount(), rows::DatabaseError) << "closed";

    open("items");
    EXPECT_THROW(open("items"), rows::DatabaseError) << "already open";
    EXPECT_THROW(mRecords.Fields(2), rows::DatabaseError);
    EXPECT_THROW(mRecords.Fields(-1), rows::DatabaseError);
    for (int i = 0; i < 3; ++i)
        mRecords.MoveNext();
    EXPECT_TRUE(mRecords.Eof());
    EXPECT_THROW(mRecords.MoveNext(), rows::DatabaseError) << "past EOF";

    mRecords.Close();
    EXPECT_EQ(mRecords.State(), 0);
    open("empty");  // a closed recordset opens again
    EXPECT_EQ(mRecords.RecordCount(), 0);
}

TEST_F(RecordsetTest, NoValueIsReadPastTheLastRecord)
{
    open("items");
    for (int i = 0; i < 3; ++i)
        mRecords.MoveNext();
    ASSERT_TRUE(mRecords.Eof());
    EXPECT_EQ(mRecords.Fields(1).name(), QStringLiteral("name"));
    EXPECT_THROW(mRecords.Fields(1).Value(), rows::DatabaseError)
        << "the last record must not be read a second time";
}

// A record whose memo cannot be read still moves: that field's value fails when taken, naming
// the record and field, while the record's other fields and the next records read as ever.
TEST_F(RecordsetTest, FieldThatFailsToReadLeavesTheRestOfItsRecord)
{
    const std::filesystem::path dbf = mDir.path() / "notes.dbf";
    {
        vfpwriter::TableWriter writer(dbf, {{"ID", FieldType::Integer}, {"NOTE", FieldType::Memo}});
        for (int id = 1; id <= 3; ++id)
            writer.append({dbtest::integer(id), dbtest::text("note " + std::to_string(id))});
        writer.close();
    }
    {
        // Record 2's memo pointer (after the deletion byte and the 4-byte ID) far past the
        // end of the memo file.
        std::fstream file(dbf, std::ios::in | std::ios::out | std::ios::binary);
        unsigned char header[12] = {};
        file.read(reinterpret_cast<char*>(header), sizeof header);
        const long headerLength = header[8] | header[9] << 8;
        const long recordLength = header[10] | header[11] << 8;
        file.seekp(headerLength + recordLength + 5);
        file.write("\xff\xff\xff\x7f", 4);
    }
    open("notes");
    EXPECT_EQ(database::toText(mRecords.Fields(1).Value()), "note 1");
    mRecords.MoveNext();
    EXPECT_EQ(database::toText(mRecords.Fields(0).Value()), "2");
    try {
        mRecords.Fields(1).Value();
        ADD_FAILURE() << "the damaged memo was read";
    } catch (const rows::DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("record 2"), std::string::npos) << error.what();
    }
    mRecords.MoveNext();
    EXPECT_EQ(database::toText(mRecords.Fields(0).Value()), "3");
    EXPECT_EQ(database::toText(mRecords.Fields(1).Value()), "note 3");
}

TEST_F(RecordsetTest, FailedOpenLeavesItClosed)
{
    EXPECT_THROW(open("nosuchtable"), rows::DatabaseError);
    EXPECT_EQ(mRecords.State(), 0);
    EXPECT_THROW(mRecords.Open(QStringLiteral("SELECT name FROM `items`"), mConnection, 3, 1),
                 rows::DatabaseError);
    EXPECT_EQ(mRecords.State(), 0);
}

}  // namespace
