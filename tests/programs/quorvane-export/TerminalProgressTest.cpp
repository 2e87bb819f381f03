// The export's progress line: on a terminal (a pseudo-terminal here) once the run has lasted its
// quiet start, never on a pipe or file, and the line itself within the terminal's width.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QProcess>

#include "programs/quorvane-export/TerminalProgress.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

using namespace std::chrono_literals;

struct ShownCase
{
    const char* name;
    bool terminal;  // a pseudo-terminal, else a pipe
    std::chrono::milliseconds quietStart;
    std::string shown;
};

class TerminalProgressShown : public testing::TestWithParam<ShownCase>
{
};

TEST_P(TerminalProgressShown, OnlyOnATerminalAfterTheQuietStart)
{
    testsupport::PseudoTerminal terminal;
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const foxpro::TableList tables{{QStringLiteral("customers"), QStringLiteral("customers.dbf")},
                                   {QStringLiteral("orders"), QStringLiteral("orders.dbf")}};
    {
        cli::TerminalProgress progress(tables,
                                       GetParam().terminal ? terminal.descriptor() : pipeEnds[1],
                                       GetParam().quietStart);
        progress.start();
        progress.position({2, 2, 12'345});
        progress.finish();
    }
    ::close(pipeEnds[1]);
    char buffer[256];
    const ssize_t piped = ::read(pipeEnds[0], buffer, sizeof buffer);
    ::close(pipeEnds[0]);
    EXPECT_EQ(piped, 0) << "a pipe gets nothing";
    EXPECT_EQ(terminal.written(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Progress, TerminalProgressShown,
    testing::Values(ShownCase{"line_then_cleared_on_a_terminal", true, 0ms,
                              "\r\033[Ktable 2 of 2, orders: 12,345 records\r\033[K"},
                    ShownCase{"nothing_in_a_short_run", true, 1h, ""},
                    ShownCase{"nothing_on_a_pipe", false, 0ms, ""}),
    dbtest::CaseName());

struct LineCase
{
    const char* name;
    QString table;
    long records;
    int columns;
    std::string line;
};

class ProgressLine : public testing::TestWithParam<LineCase>
{
};

TEST_P(ProgressLine, FitsTheTerminalAndDrivesItNot)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(cli::progressLine(3, 12, c.table, c.records, c.columns), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgressLine,
    testing::Values(
        LineCase{"one_record", QStringLiteral("a"), 1, 80, "table 3 of 12, a: 1 record"},
        LineCase{"thousands_grouped", QStringLiteral("a"), 1'234'567, 80,
                 "table 3 of 12, a: 1,234,567 records"},
        LineCase{"long_name_cut_to_the_width", QStringLiteral("orders_of_the_year_2024"), 5, 33,
                 "table 3 of 12, ord...: 5 records"},
        LineCase{"wide_name_cut_on_a_character", QStringLiteral(u"Zürich_Straße_2024"), 5, 33,
                 "table 3 of 12, Zür...: 5 records"},
        LineCase{"escape_of_a_name_written_out", QStringLiteral("a\x1b[2Jb"), 0, 80,
                 "table 3 of 12, a\\x1b[2Jb: 0 records"},
        LineCase{"narrow_terminal_cut_whole", QStringLiteral("orders"), 5, 11, "table 3 of"}),
    dbtest::CaseName());

// The real command on a pseudo-terminal: a run shorter than a second leaves it as it was, and
// a pipe never gets the line.
TEST(ExportProgress, ShortRunOnATerminalPrintsNothing)
{
    testsupport::TempDir dir;
    dbtest::writeNamesTable(dir.path(), "names", 3);
    testsupport::PseudoTerminal terminal;
    QProcess exporting;
    exporting.setStandardErrorFile(terminal.path());
    exporting.start(
        QStringLiteral(QUORVANE_EXPORT_BINARY),
        {QStringLiteral("export"), QString::fromStdString(dir.path().string()),
         QStringLiteral("-o"), QString::fromStdString((dir.path() / "out.xlsx").string())});
    ASSERT_TRUE(exporting.waitForFinished(60'000));
    EXPECT_EQ(exporting.exitCode(), 0);
    EXPECT_EQ(terminal.written(), "");
}

}  // namespace
