// Sheet names: cleaning and cutting, the case-blind test, numbered names, and what the run
// names each table's sheet.
#include "modules/export/Excel1.h"
#include "tests/modules/export/ExportRunFixture.h"
#include "tests/support/FakeSpreadsheet.h"

namespace {

using exporting::CleanSheetName;
using exporttest::ExportRunTest;

struct NameCase
{
    const char* name;
    QString input;
    QString expected;
};

class CleanSheetNameTest : public ::testing::TestWithParam<NameCase>
{
};

const QString k29 = QString(29, QLatin1Char('a'));
const QString k30 = QString(30, QLatin1Char('b'));
const QString kSmile = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two UTF-16 units

TEST_P(CleanSheetNameTest, Cleans)
{
    EXPECT_EQ(CleanSheetName(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Excel1, CleanSheetNameTest,
    ::testing::Values(NameCase{"short_name_unchanged", QStringLiteral("Orders 2021"),
                               QStringLiteral("Orders 2021")},
                      NameCase{"brackets_removed_everywhere", QStringLiteral("[a]b[[c]]"),
                               QStringLiteral("abc")},
                      NameCase{"other_characters_pass", QStringLiteral("a:b*c?d/e\\f"),
                               QStringLiteral("a:b*c?d/e\\f")},
                      NameCase{"thirty_one_loses_the_last", k30 + QStringLiteral("Z"), k30},
                      NameCase{"brackets_go_before_the_cut",
                               QStringLiteral("[") + k30 + QStringLiteral("]"), k30},
                      NameCase{"only_brackets_become_empty", QStringLiteral("[]]["), QString()},
                      NameCase{"pair_at_the_cut_left_out_whole", k29 + kSmile, k29},
                      NameCase{"pair_before_the_cut_kept",
                               QString(28, QLatin1Char('a')) + kSmile + QStringLiteral("x"),
                               QString(28, QLatin1Char('a')) + kSmile}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Excel1, NumberedNameKeepsTheNumberWithinThirty)
{
    EXPECT_EQ(exporting::numberedSheetName(k30, 1),
              QString(29, QLatin1Char('b')) + QStringLiteral("1"));
    EXPECT_EQ(exporting::numberedSheetName(k30, 12),
              QString(28, QLatin1Char('b')) + QStringLiteral("12"));
    EXPECT_EQ(exporting::numberedSheetName(QStringLiteral("ab"), 3), QStringLiteral("ab3"));
}

TEST(Excel1, SheetNameExistsIgnoresCaseAcrossScripts)
{
    fakes::FakeSpreadsheet spreadsheet;
    spreadsheet.sheetsInNewWorkbook = 1;
    auto application = spreadsheet.factory()();
    auto& book = application->WorkbooksAdd();
    book.WorksheetsAdd().setName("Café");
    EXPECT_TRUE(exporting::SheetNameExists(QStringLiteral("sheet1"), book));
    EXPECT_TRUE(exporting::SheetNameExists(QString::fromUtf8("CAFÉ"), book));
    EXPECT_FALSE(exporting::SheetNameExists(QStringLiteral("Cafe"), book));
}

TEST(Excel1, ContinuationNameFitsThirtyOneAndSkipsTakenNames)
{
    fakes::FakeSpreadsheet spreadsheet;
    spreadsheet.sheetsInNewWorkbook = 1;
    auto application = spreadsheet.factory()();
    auto& book = application->WorkbooksAdd();
    const QString base = QString(31, QLatin1Char('c'));
    book.WorksheetsAdd().setName(
        (QString(27, QLatin1Char('c')) + QStringLiteral(" (2)")).toStdString());
    int number = 2;
    EXPECT_EQ(exporting::continuationSheetName(base, number, book),
              QString(27, QLatin1Char('c')) + QStringLiteral(" (3)"));
    EXPECT_EQ(number, 3);
}

// The table names are also file names here, so each case writes its tables first.
TEST_F(ExportRunTest, SheetNamesOfLongAndBracketedTableNames)
{
    const std::string n31(31, 'x');
    const std::string n40 = std::string(30, 'y') + "0123456789";
    const std::string twin = std::string(30, 'y') + "abcdefghij";
    const std::string third = std::string(30, 'y') + "zzzzzzzzzz";
    for (const std::string& name : {n31, n40, twin, third, std::string("a[1]")})
        exporttest::writeNamesTable(dir.path(), name, 1);
    for (const std::string& name : {n31, n40, twin, third, std::string("a[1]")})
        list.add(QString::fromStdString(name), true);
    const auto outcome = run();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(
        spreadsheet.onlyWorkbook().sheetNames(),
        (std::vector<std::string>{std::string(30, 'x'), std::string(30, 'y'),
                                  std::string(29, 'y') + "1", std::string(29, 'y') + "2", "a1"}));
    // Progress texts show the name as the naming left it; the bracketed name is unchanged.
    ASSERT_EQ(progress.tableSteps.size(), 5u);
    EXPECT_EQ(progress.tableSteps[4].text, QStringLiteral("Processing: a[1]"));
    EXPECT_EQ(outcome.tablesIncomplete, 0);
}

TEST_F(ExportRunTest, TableTooLongForOneSheetGoesOnInNumberedSheets)
{
    exporttest::writeNamesTable(dir.path(), "big", 5);
    exporttest::writeNamesTable(dir.path(), "after", 1);
    list.add(QStringLiteral("big"), true);
    list.add(QStringLiteral("after"), true);
    const auto outcome = run(3);
    auto& book = spreadsheet.onlyWorkbook();
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"big", "big (2)", "big (3)", "after"}));
    EXPECT_EQ(rows(book.sheet(1)), (exporttest::Rows{{"name"}, {"r1"}, {"r2"}}));
    EXPECT_EQ(rows(book.sheet(2)), (exporttest::Rows{{"name"}, {"r3"}, {"r4"}}));
    EXPECT_EQ(rows(book.sheet(3)), (exporttest::Rows{{"name"}, {"r5"}}));
    EXPECT_EQ(outcome.tablesIncomplete, 0);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
