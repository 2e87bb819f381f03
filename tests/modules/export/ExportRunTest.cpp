// The export run from a list of ticked tables to a handed-over workbook, on real tables and an
// in-memory spreadsheet application.
#include "tests/modules/export/ExportRunFixture.h"

namespace {

using exporttest::ExportRunTest;
using exporttest::Rows;

TEST_F(ExportRunTest, EmptyListTouchesNothing)
{
    const auto outcome = run();
    EXPECT_FALSE(outcome.started);
    EXPECT_EQ(spreadsheet.applicationsCreated, 0);
    EXPECT_TRUE(progress.events.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExportRunTest, NothingTickedHandsOverOneEmptySheet)
{
    exporttest::writeNamesTable(dir.path(), "orders", 2);
    list.add(QStringLiteral("orders"), false);
    const auto outcome = run();
    EXPECT_TRUE(outcome.handedOver);
    EXPECT_EQ(outcome.tablesTicked, 0);
    auto& book = spreadsheet.onlyWorkbook();
    EXPECT_EQ(book.sheetNames(), std::vector<std::string>{"Sheet1"});
    EXPECT_TRUE(book.sheet(1).cells().empty());
    EXPECT_TRUE(book.visible);
    EXPECT_EQ(progress.events,
              (std::vector<QString>{QStringLiteral("start"), QStringLiteral("finish")}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExportRunTest, TickedTablesInListOrderOnlyLastSheetFitted)
{
    for (int t = 1; t <= 5; ++t)
        exporttest::writeNamesTable(dir.path(), "t" + std::to_string(t), t);
    for (int t = 1; t <= 5; ++t)
        list.add(QStringLiteral("t%1").arg(t), t == 2 || t == 5);
    const auto outcome = run();

    auto& book = spreadsheet.onlyWorkbook();
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"t2", "t5"}));
    EXPECT_EQ(rows(book.sheet(1)), (Rows{{"name"}, {"r1"}, {"r2"}}));
    EXPECT_EQ(rows(book.sheet(2)).size(), 6u);
    EXPECT_FALSE(book.sheet(1).autoFitted);
    EXPECT_TRUE(book.sheet(2).autoFitted);
    EXPECT_EQ(&book.active(), &book.sheet(2));
    ASSERT_EQ(progress.tableSteps.size(), 2u);
    EXPECT_EQ(progress.tableSteps[0].text, QStringLiteral("Processing: t2"));
    EXPECT_DOUBLE_EQ(progress.tableSteps[0].fraction, 2.0 / 5.0);
    EXPECT_DOUBLE_EQ(progress.tableSteps[1].fraction, 1.0);
    EXPECT_EQ(progress.events.back(), QStringLiteral("finish"));
    EXPECT_EQ(outcome.tablesTicked, 2);
    EXPECT_EQ(outcome.tablesIncomplete, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExportRunTest, ProgressValueIsListPositionOverListLength)
{
    for (const char* name : {"a", "b", "c"})
        exporttest::writeNamesTable(dir.path(), name, 1);
    list.add(QStringLiteral("a"), false);
    list.add(QStringLiteral("b"), true);
    list.add(QStringLiteral("c"), false);
    run();
    ASSERT_EQ(progress.tableSteps.size(), 1u);
    EXPECT_DOUBLE_EQ(progress.tableSteps[0].fraction * 100, 2.0 / 3.0 * 100);
}

TEST_F(ExportRunTest, TicksChangedDuringTheRunDoNotChangeWhatItCopies)
{
    for (const char* name : {"a", "b", "c", "d"})
        exporttest::writeNamesTable(dir.path(), name, 1);
    list.add(QStringLiteral("a"), true);
    list.add(QStringLiteral("b"), true);
    list.add(QStringLiteral("c"), true);
    list.add(QStringLiteral("d"), false);
    progress.onTable = [&](const QString& text) {
        if (text == QStringLiteral("Processing: b")) {
            list.items[0].checked = false;  // the run was given the list as it stood: no effect
            list.items[2].checked = false;
            list.items[3].checked = true;
        }
    };
    run();
    EXPECT_EQ(spreadsheet.onlyWorkbook().sheetNames(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(ExportRunTest, ListFilledAgainDuringTheRunLeavesTheRunsTablesAlone)
{
    for (const char* name : {"a", "b", "c"})
        exporttest::writeNamesTable(dir.path(), name, 1);
    list.add(QStringLiteral("a"), true);
    list.add(QStringLiteral("b"), true);
    list.add(QStringLiteral("c"), true);
    progress.onTable = [&](const QString&) { list.items.resize(1); };
    const auto outcome = run();
    EXPECT_EQ(spreadsheet.onlyWorkbook().sheetNames(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(outcome.handedOver);
}

}  // namespace
