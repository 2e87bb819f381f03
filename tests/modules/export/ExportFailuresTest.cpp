// What the export run does when the source, a table, a cell or the spreadsheet program fails:
// one report per failure with its statement number, and the rest of the run goes on.
#include <filesystem>

#include "modules/export/ExportTexts.h"
#include "tests/modules/export/ExportRunFixture.h"

namespace {

using exporttest::ExportRunTest;
using exporttest::Rows;

// The statement numbers of the reports shown, in order.
std::vector<std::string> linesOf(const std::vector<std::string>& reports)
{
    std::vector<std::string> lines;
    for (const std::string& report : reports)
        lines.push_back(report.substr(0, report.find(':')));
    return lines;
}

TEST_F(ExportRunTest, MissingFolderIsReportedOnceAndNothingIsStarted)
{
    exporttest::writeNamesTable(dir.path(), "a", 1);
    list.add(QStringLiteral("a"), true);
    list.add(QStringLiteral("b"), true);
    std::filesystem::remove_all(dir.path());
    const auto outcome = run();
    EXPECT_EQ(linesOf(reports()), std::vector<std::string>{"118"});
    EXPECT_EQ(spreadsheet.applicationsCreated, 0);
    EXPECT_FALSE(outcome.handedOver);
    EXPECT_EQ(progress.events,
              (std::vector<QString>{QStringLiteral("start"), QStringLiteral("finish")}));
}

TEST_F(ExportRunTest, MissingContainerIsReportedAtItsOwnLine)
{
    list.add(QStringLiteral("a"), true);
    foxpro::ConnectionSettings settings;
    settings.isContainer = true;
    settings.containerPath = QString::fromStdString((dir.path() / "none.dbc").string());
    exporting::ExportRequest request{settings, list.items, spreadsheet.factory()};
    const auto outcome = exporting::runExport(request, progress, messages.reports());
    EXPECT_EQ(linesOf(reports()), std::vector<std::string>{"116"});
    EXPECT_FALSE(outcome.handedOver);
}

TEST_F(ExportRunTest, TableThatCannotBeOpenedKeepsAnEmptyNamedSheet)
{
    exporttest::writeNamesTable(dir.path(), "a", 1);
    exporttest::writeNamesTable(dir.path(), "c", 2);
    list.add(QStringLiteral("a"), true);
    list.add(QStringLiteral("missing"), true);
    list.add(QStringLiteral("c"), true);
    const auto outcome = run();
    EXPECT_EQ(linesOf(reports()), std::vector<std::string>{"142"});
    auto& book = spreadsheet.onlyWorkbook();
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"a", "missing", "c"}));
    EXPECT_TRUE(book.sheet(2).cells().empty());
    EXPECT_EQ(rows(book.sheet(3)), (Rows{{"name"}, {"r1"}, {"r2"}}));
    EXPECT_TRUE(outcome.handedOver);
    EXPECT_EQ(outcome.tablesIncomplete, 1);
    EXPECT_EQ(
        exporting::doneText(outcome.tablesIncomplete, outcome.tablesTicked),
        QStringLiteral("Done, but 1 of 3 tables could not be copied in full: the error reports "
                       "before this message say which and why.\r\n\r\nPlease look at the "
                       "Excel tabs at the bottom for multiple tables."));
}

TEST_F(ExportRunTest, SpreadsheetThatCannotStartIsReportedOnce)
{
    exporttest::writeNamesTable(dir.path(), "a", 1);
    exporttest::writeNamesTable(dir.path(), "b", 1);
    list.add(QStringLiteral("a"), true);
    list.add(QStringLiteral("b"), true);
    spreadsheet.failCreate = true;
    const auto outcome = run();
    EXPECT_EQ(reports(), std::vector<std::string>{"120: No spreadsheet program was found."});
    EXPECT_FALSE(outcome.handedOver);
    EXPECT_EQ(progress.events.back(), QStringLiteral("finish"));
}

TEST_F(ExportRunTest, FailedHandOverIsNotCountedAsHandedOver)
{
    exporttest::writeNamesTable(dir.path(), "a", 1);
    list.add(QStringLiteral("a"), true);
    spreadsheet.failVisible = true;
    const auto outcome = run();
    EXPECT_EQ(reports(),
              std::vector<std::string>{"212: The spreadsheet program could not be started."});
    EXPECT_FALSE(outcome.handedOver);
}

TEST_F(ExportRunTest, RefusedCellIsReportedOnceAndEndsOnlyItsTable)
{
    exporttest::writeNamesTable(dir.path(), "a", 5);
    exporttest::writeNamesTable(dir.path(), "b", 1);
    list.add(QStringLiteral("a"), true);
    list.add(QStringLiteral("b"), true);
    spreadsheet.failCell = std::make_pair(3, 1);  // the first table's second record
    const auto outcome = run();
    EXPECT_EQ(reports(), std::vector<std::string>{"200: Cell 3,1 could not be written."});
    auto& book = spreadsheet.onlyWorkbook();
    EXPECT_EQ(rows(book.sheet(1)), (Rows{{"name"}, {"r1"}}));
    EXPECT_EQ(rows(book.sheet(2)), (Rows{{"name"}, {"r1"}}));
    EXPECT_EQ(outcome.tablesIncomplete, 1);
    EXPECT_TRUE(outcome.handedOver);
}

TEST_F(ExportRunTest, LostWorkbookIsReportedOnceAndEndsTheRun)
{
    for (const char* table : {"a", "b", "c"}) {
        exporttest::writeNamesTable(dir.path(), table, 5);
        list.add(QString::fromLatin1(table), true);
    }
    spreadsheet.failCell = std::make_pair(3, 1);
    spreadsheet.failCellLosesWorkbook = true;
    const auto outcome = run();
    EXPECT_EQ(reports(),
              std::vector<std::string>{"200: The workbook out.xlsx could not be written."});
    auto& book = spreadsheet.onlyWorkbook();
    EXPECT_EQ(book.sheetNames(), std::vector<std::string>{"a"});
    EXPECT_FALSE(book.active().autoFitted);
    EXPECT_FALSE(book.visible);
    EXPECT_FALSE(outcome.handedOver);
    EXPECT_EQ(outcome.tablesTicked, 1);
    EXPECT_EQ(outcome.tablesIncomplete, 1);
    EXPECT_EQ(progress.events.back(), QStringLiteral("finish"));
}

TEST_F(ExportRunTest, ValueThatCannotBeReadLeavesItsCellEmptyAndTheRestOfTheTable)
{
    // Records 2 and 4 point into the memo file, which is then removed; record 3 has no memo.
    exporttest::writeTable(dir.path(), "notes",
                           {{"ID", vfp::FieldType::Integer}, {"NOTES", vfp::FieldType::Memo}},
                           {{exporttest::integer(1), vfp::Value{}},
                            {exporttest::integer(2), exporttest::text("lost")},
                            {exporttest::integer(3), vfp::Value{}},
                            {exporttest::integer(4), exporttest::text("lost too")}});
    exporttest::writeNamesTable(dir.path(), "after", 1);
    std::filesystem::remove(dir.path() / "notes.fpt");
    list.add(QStringLiteral("notes"), true);
    list.add(QStringLiteral("after"), true);
    const auto outcome = run();
    // One report for both cells: the first one's record and field, and the count.
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(linesOf(reports()), std::vector<std::string>{"200"});
    EXPECT_NE(reports()[0].find("notes.fpt is missing"), std::string::npos) << reports()[0];
    EXPECT_NE(reports()[0].find("2 cells of field notes could not be read"), std::string::npos)
        << reports()[0];
    EXPECT_EQ(rows(spreadsheet.onlyWorkbook().sheet(1)),
              (Rows{{"id", "notes"}, {"1"}, {"2"}, {"3"}, {"4"}}));
    EXPECT_EQ(rows(spreadsheet.onlyWorkbook().sheet(2)), (Rows{{"name"}, {"r1"}}));
    EXPECT_EQ(outcome.tablesIncomplete, 1);
    EXPECT_TRUE(outcome.handedOver);
}

TEST_F(ExportRunTest, DamagedFirstRecordStillGivesTheNamesRowAndTheRecord)
{
    exporttest::writeTable(dir.path(), "notes",
                           {{"ID", vfp::FieldType::Integer}, {"NOTES", vfp::FieldType::Memo}},
                           {{exporttest::integer(1), exporttest::text("lost")}});
    std::filesystem::remove(dir.path() / "notes.fpt");
    list.add(QStringLiteral("notes"), true);
    run();
    EXPECT_EQ(linesOf(reports()), std::vector<std::string>{"200"});
    EXPECT_NE(reports()[0].find("The cell was left empty."), std::string::npos) << reports()[0];
    EXPECT_EQ(rows(spreadsheet.onlyWorkbook().sheet(1)), (Rows{{"id", "notes"}, {"1"}}));
}

TEST_F(ExportRunTest, CutCellsAreReportedOncePerTableWithTheirFields)
{
    exporttest::writeTable(
        dir.path(), "memos",
        {{"TITLE", vfp::FieldType::Varchar, 10}, {"NOTES", vfp::FieldType::Memo}},
        {{exporttest::text("short"), exporttest::text("a long note")},
         {exporttest::text("very long!"), exporttest::text("another long note")},
         {exporttest::text("ok"), exporttest::text("ok")}});
    list.add(QStringLiteral("memos"), true);
    spreadsheet.cellTextLimit = 8;
    const auto outcome = run();
    EXPECT_EQ(
        reports(),
        std::vector<std::string>{
            "200: Table memos: text longer than 32,767 characters, the most a spreadsheet cell can "
            "hold, was cut to that length in 1 cell of field title and 2 cells of field notes; the "
            "table itself is unchanged."});
    EXPECT_EQ(outcome.tablesIncomplete, 0);
    EXPECT_TRUE(outcome.handedOver);
}

}  // namespace
