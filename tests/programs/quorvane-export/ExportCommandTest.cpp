// quorvane-export export as a script runs it: the workbook it writes, its exit status, one line
// per failure on standard error, and no file (nor a temporary one) after a failure.
#include <fstream>

#include "tests/support/RunCommand.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/XlsxReader.h"

namespace {

struct Outcome
{
    int status = -1;
    std::vector<std::string> errorLines;
};

Outcome runExport(const QStringList& arguments)
{
    const testsupport::CommandOutcome run = testsupport::runCommand(
        QStringLiteral(QUORVANE_EXPORT_BINARY), QStringList{QStringLiteral("export")} + arguments);
    return {run.status, run.errorLines()};
}

class ExportCommandTest : public ::testing::Test
{
protected:
    ExportCommandTest()
    {
        dbtest::writeNamesTable(dir.path(), "orders", 2);
        std::filesystem::create_directories(dir.path() / "old");
        dbtest::writeNamesTable(dir.path() / "old", "orders", 3);
    }
    QString source() const { return QString::fromStdString(dir.path().string()); }
    QString out() const { return QString::fromStdString((dir.path() / "out.xlsx").string()); }
    std::vector<std::string> leftovers() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            if (entry.path().extension() != ".dbf" && entry.path().filename() != "old")
                names.push_back(entry.path().filename().string());
        }
        return names;
    }

    testsupport::TempDir dir;
};

TEST_F(ExportCommandTest, EveryTableOfAFolderTreeWithoutNames)
{
    const Outcome result = runExport({source(), QStringLiteral("-o"), out()});
    ASSERT_EQ(result.status, 0);
    // Both tables are "orders": the sub-folder's is numbered as a continuation sheet would be.
    EXPECT_TRUE(result.errorLines.empty()) << result.errorLines[0];
    const testsupport::ReadWorkbook book = testsupport::readXlsx(dir.path() / "out.xlsx");
    ASSERT_EQ(book.names(), (std::vector<std::string>{"orders", "orders (2)"}));
    EXPECT_EQ(book.sheets[0].cell("A3").value(QStringLiteral("value")).toString(),
              QStringLiteral("r2"));
    EXPECT_EQ(book.sheets[1].cell("A4").value(QStringLiteral("value")).toString(),
              QStringLiteral("r3"));
}

// Each table of a folder tree names its own sheet, whatever name the sheet carried before it.
struct SheetNamesCase
{
    const char* name;
    std::vector<std::string> tables;  // paths below the source folder, without ".dbf"
    std::vector<std::string> sheets;  // in tab order
};

class SheetNamesTest : public ::testing::TestWithParam<SheetNamesCase>
{
};

TEST_P(SheetNamesTest, EveryTableNamesItsSheet)
{
    testsupport::TempDir dir;
    for (const std::string& table : GetParam().tables) {
        std::filesystem::create_directories((dir.path() / table).parent_path());
        dbtest::writeNamesTable(dir.path(), table, 1);
    }
    const Outcome result =
        runExport({QString::fromStdString(dir.path().string()), QStringLiteral("-o"),
                   QString::fromStdString((dir.path() / "out.xlsx").string())});
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(testsupport::readXlsx(dir.path() / "out.xlsx").names(), GetParam().sheets);
}

INSTANTIATE_TEST_SUITE_P(
    FolderTrees, SheetNamesTest,
    ::testing::Values(SheetNamesCase{"table_named_as_the_first_sheet_was",
                                     {"sheet1", "sheet3", "zeta"},
                                     {"sheet1", "sheet3", "zeta"}},
                      SheetNamesCase{
                          "table_named_as_its_added_sheet_was", {"a", "Sheet2"}, {"a", "Sheet2"}},
                      SheetNamesCase{"clash_with_a_sheet_named_so_before_is_numbered",
                                     {"Sheet1", "old/sheet1"},
                                     {"Sheet1", "sheet1 (2)"}}),
    dbtest::CaseName{});

TEST_F(ExportCommandTest, NamedSubFolderTableKeepsItsPathForTheQuery)
{
    const Outcome result =
        runExport({source(), QStringLiteral("old/orders"), QStringLiteral("-o"), out()});
    ASSERT_EQ(result.status, 0);
    const testsupport::ReadWorkbook book = testsupport::readXlsx(dir.path() / "out.xlsx");
    ASSERT_EQ(book.names(), std::vector<std::string>{"orders"});
    EXPECT_EQ(book.sheets[0].cell("A4").value(QStringLiteral("value")).toString(),
              QStringLiteral("r3"));
}

TEST_F(ExportCommandTest, FailedTableIsReportedAndTheOthersWritten)
{
    std::ofstream(dir.path() / "out.xlsx") << "before";
    const Outcome result = runExport(
        {source(), QStringLiteral("orders"), QStringLiteral("nope"), QStringLiteral("-o"), out()});
    EXPECT_EQ(result.status, 3);  // written, with failures
    ASSERT_EQ(result.errorLines.size(), 2u);
    EXPECT_NE(result.errorLines[0].find("nope"), std::string::npos) << result.errorLines[0];
    EXPECT_EQ(result.errorLines[1], "quorvane-export: 1 of 2 tables could not be copied in full; " +
                                        (dir.path() / "out.xlsx").string() +
                                        " holds everything that could be read");
    const testsupport::ReadWorkbook book = testsupport::readXlsx(dir.path() / "out.xlsx");
    ASSERT_EQ(book.names(), (std::vector<std::string>{"orders", "nope"}));
    EXPECT_EQ(book.sheets[0].cell("A3").value(QStringLiteral("value")).toString(),
              QStringLiteral("r2"));
    EXPECT_EQ(leftovers(), std::vector<std::string>{"out.xlsx"});
}

TEST_F(ExportCommandTest, TargetEndingInASlashIsRefusedBeforeTheWork)
{
    const Outcome result = runExport({source(), QStringLiteral("-o"), out() + QLatin1Char('/')});
    EXPECT_EQ(result.status, 2);
    ASSERT_EQ(result.errorLines.size(), 1u);
    EXPECT_NE(result.errorLines[0].find("names a folder"), std::string::npos)
        << result.errorLines[0];
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(ExportCommandTest, SourceThatCannotBeOpenedFailsWithOneLineAndNoFile)
{
    for (const std::string missing : {"gone", "gone.dbc"}) {
        SCOPED_TRACE(missing);
        const Outcome result = runExport(
            {QString::fromStdString((dir.path() / missing).string()), QStringLiteral("-o"), out()});
        EXPECT_EQ(result.status, 1);
        ASSERT_EQ(result.errorLines.size(), 1u);
        EXPECT_NE(result.errorLines[0].find(missing), std::string::npos) << result.errorLines[0];
        EXPECT_TRUE(leftovers().empty());
    }
}

struct UsageCase
{
    const char* name;
    QStringList arguments;  // after "export SOURCE"
};

class ExportUsageTest : public ExportCommandTest, public ::testing::WithParamInterface<UsageCase>
{
};

TEST_P(ExportUsageTest, WrongArgumentsExitWithTwo)
{
    const Outcome result = runExport(QStringList{source()} + GetParam().arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.errorLines.size(), 1u);
    EXPECT_TRUE(leftovers().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ExportUsageTest,
    ::testing::Values(
        UsageCase{"neither_output_nor_open", {QStringLiteral("orders")}},
        UsageCase{"both_output_and_open",
                  {QStringLiteral("-o"), QStringLiteral("x.xlsx"), QStringLiteral("--open")}},
        UsageCase{"output_without_file", {QStringLiteral("-o")}},
        UsageCase{"unknown_option", {QStringLiteral("--fast"), QStringLiteral("--open")}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
