// The per-record copy against a source that changes under it: records deleted while the table
// is read end the copy with the records read and a message saying what happened.
#include <gtest/gtest.h>

#include "components/database/Recordset.h"
#include "components/rows/AdoType.h"
#include "components/rows/RowSource.h"
#include "modules/app/Cadence.h"
#include "modules/export/ExportStatements.h"
#include "modules/export/RecordCopy.h"
#include "tests/modules/export/ExportTestData.h"
#include "tests/support/FakeSpreadsheet.h"

namespace {

// Counts `counted` records when opened but yields only `present` of them.
class ShrinkingTable : public rows::RowSource
{
public:
    ShrinkingTable(long counted, long present) : mCounted(counted), mPresent(present) {}

    std::vector<rows::Field> describe() const override
    {
        return {rows::Field(QStringLiteral("id"), rows::adInteger)};
    }
    long recordCount() const override { return mCounted; }
    bool next(std::vector<rows::Field>& fields) override
    {
        if (mNext == mPresent)
            return false;
        fields[0].mutableValue() = vfp::Value::fromInteger(++mNext);
        return true;
    }

private:
    long mCounted;
    long mPresent;
    long mNext = 0;
};

TEST(RecordCopy, RecordsDeletedWhileReadEndTheCopyWithWhatWasRead)
{
    fakes::FakeSpreadsheet spreadsheet;
    spreadsheet.sheetsInNewWorkbook = 1;
    auto application = spreadsheet.factory()();
    spreadsheet::Workbook& book = application->WorkbooksAdd();
    exporttest::RecordingProgress progress;
    app::Cadence cadence;
    database::Recordset records(std::make_unique<ShrinkingTable>(4, 2));

    exporting::RecordCopy copy{book, progress, cadence, spreadsheet::kMaxRows};
    const exporting::CopyResult result =
        copy.copy(records, book.ActiveSheet(), QStringLiteral("orders"), {1, 1});

    EXPECT_EQ(result.failedLine, exporting::YieldBeforeRecord);
    EXPECT_EQ(result.failure, QStringLiteral("Table orders ended after 2 of its 4 records: "
                                             "records were deleted while it was read. The sheet "
                                             "holds the records read; export it again for the "
                                             "table as it is now."));
    EXPECT_EQ(spreadsheet.onlyWorkbook().sheet(1).lastRow(), 3);
}

}  // namespace
