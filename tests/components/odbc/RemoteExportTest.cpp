// quorvane-export on remote views, as a script runs it: with --allow-remote-views dump writes
// the server's rows, export puts them on a sheet with cells of their kinds, and a view whose
// data source is not defined fails in one line naming the view and the data source; without
// it each remote view is skipped in one line, the rest is written and the exit status is 3.
// Numbers of tables, local and remote views show the decimals their columns declare.
#include <algorithm>
#include <cstdlib>

#include <QStringList>

#include <gtest/gtest.h>

#include "components/vfpwriter/ContainerWriter.h"
#include "tests/support/LibreOfficeReader.h"
#include "tests/support/OdbcSandbox.h"
#include "tests/support/RunCommand.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/XlsxReader.h"

namespace {

#ifdef QUORVANE_EXPORT_BINARY

class RemoteExportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QUORVANE_REQUIRE_SQLITE_ODBC();
        // The driver unloads the driver manager's ini reader with memory it still holds; in
        // the sanitizer build the command's own leak check would blame that on the command.
        const char* options = std::getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS",
               (std::string(options != nullptr ? options : "") + ":detect_leaks=0").c_str(), 1);
        dbc = odbctest::writeRemote(
            folder.path(),
            {{"picked", "Shop", "SELECT id, name, day, flag, lvb FROM kinds ORDER BY rowid"},
             {"far", "Nowhere", "SELECT 1"}});
    }

    // Runs the command with --allow-remote-views, as a script that means to reach servers.
    testsupport::CommandOutcome run(const QStringList& arguments) const
    {
        return runAsGiven(QStringList{QStringLiteral("--allow-remote-views")} + arguments);
    }
    testsupport::CommandOutcome runAsGiven(const QStringList& arguments) const
    {
        return testsupport::runCommand(QStringLiteral(QUORVANE_EXPORT_BINARY), arguments);
    }
    QString source() const { return QString::fromStdString(dbc.string()); }
    QString out() const { return QString::fromStdString((folder.path() / "out.xlsx").string()); }

    testsupport::TempDir folder;
    std::filesystem::path dbc;
};

TEST_F(RemoteExportTest, DumpWritesTheServersRows)
{
    const testsupport::CommandOutcome dump =
        run({QStringLiteral("dump"), source(), QStringLiteral("picked")});
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out,
              "{\"fields\":[{\"name\":\"id\",\"type\":3},{\"name\":\"name\",\"type\":200},"
              "{\"name\":\"day\",\"type\":133},{\"name\":\"flag\",\"type\":11},"
              "{\"name\":\"lvb\",\"type\":205}],\"count\":2}\n"
              "[\"1\",\"Zoë\",\"2024-02-29\",\"True\",\"{BINARY DATA}\"]\n"
              "[null,null,null,null,\"{BINARY DATA}\"]\n");
}

TEST_F(RemoteExportTest, ExportWritesASheetOfTypedCells)
{
    const testsupport::CommandOutcome result =
        run({QStringLiteral("export"), source(), QStringLiteral("picked"), QStringLiteral("-o"),
             out()});
    ASSERT_EQ(result.status, 0) << result.err;
    const testsupport::ReadWorkbook book = testsupport::readXlsx(folder.path() / "out.xlsx");
    ASSERT_EQ(book.names(), std::vector<std::string>{"picked"});
    const testsupport::ReadSheet& sheet = book.sheets[0];
    const auto type = [&](const char* cell) {
        return sheet.cell(cell).value(QStringLiteral("type")).toString().toStdString();
    };
    const auto value = [&](const char* cell) {
        return sheet.cell(cell).value(QStringLiteral("value")).toVariant().toString().toStdString();
    };
    EXPECT_EQ(value("A1"), "id");
    EXPECT_EQ(value("E1"), "lvb");
    EXPECT_EQ(type("A2"), "n");
    EXPECT_EQ(value("A2"), "1");
    EXPECT_EQ(value("B2"), "Zoë");
    EXPECT_EQ(type("C2"), "d");
    EXPECT_EQ(type("D2"), "b");
    EXPECT_EQ(value("E2"), "{BINARY DATA}");
    EXPECT_TRUE(sheet.cell("A3").isEmpty()) << "Null writes no cell";
    EXPECT_EQ(value("E3"), "{BINARY DATA}");
}

// A column's number format and its first value as LibreOffice shows it.
struct ShownNumberCase
{
    const char* name;
    const char* sheet;
    const char* cell;
    const char* format;  // "" for General
    const char* shown;
};

TEST_F(RemoteExportTest, NumbersShowTheDecimalsTheirColumnsDeclare)
{
    QUORVANE_REQUIRE_LIBREOFFICE();
    const std::filesystem::path money = folder.path() / "money";
    std::filesystem::create_directories(money);
    {
        vfpwriter::ContainerWriter container(money / "money.dbc");
        container.addConnection("Shop", "quorvane_shop");
        vfpwriter::TableWriter prices =
            container.createTable("prices", "prices.dbf",
                                  {{"amount", vfp::FieldType::Numeric, 8, 2},
                                   {"fee", vfp::FieldType::Float, 8, 2},
                                   {"rating", vfp::FieldType::Double, 8, 1},
                                   {"price", vfp::FieldType::Currency},
                                   {"id", vfp::FieldType::Integer},
                                   {"qty", vfp::FieldType::Numeric, 6}});
        prices.append({dbtest::decimal("47.90"), dbtest::decimal("81.50"), dbtest::real(4),
                       dbtest::currency(241900), dbtest::integer(7), dbtest::decimal("40")});
        prices.close();
        container.addView("priced",
                          "SELECT amount, ROUND(amount * 2, 1) AS twice, price "
                          "FROM prices");
        container.addView("served", "SELECT num FROM kinds ORDER BY rowid", {}, "Shop");
        container.close();
    }
    const std::filesystem::path out = folder.path() / "money.xlsx";
    const testsupport::CommandOutcome result =
        run({QStringLiteral("export"), QString::fromStdString((money / "money.dbc").string()),
             QStringLiteral("-o"), QString::fromStdString(out.string())});
    ASSERT_EQ(result.status, 0) << result.err;

    const ShownNumberCase cases[] = {
        {"numeric_two_decimals", "prices", "A2", "0.00", "47.90"},
        {"float_two_decimals", "prices", "B2", "0.00", "81.50"},
        {"double_one_decimal", "prices", "C2", "0.0", "4.0"},
        {"currency_four_decimals", "prices", "D2", "0.0000", "24.1900"},
        {"integer_general", "prices", "E2", "", "7"},
        {"numeric_without_decimals_general", "prices", "F2", "", "40"},
        {"view_column_of_a_field", "priced", "A2", "0.00", "47.90"},
        {"view_column_of_a_round", "priced", "B2", "0.0", "95.8"},
        {"view_column_of_currency", "priced", "C2", "0.0000", "24.1900"},
        // SQLite's driver describes numeric(8,3) as a double of no decimal digits.
        {"remote_column_of_no_described_scale", "served", "A2", "", "3.125"},
    };
    const testsupport::ReadWorkbook book = testsupport::readXlsx(out);
    ASSERT_EQ(book.names(), (std::vector<std::string>{"prices", "priced", "served"}));
    const std::vector<testsupport::LibreOfficeBook> shown = testsupport::readWithLibreOffice({out});
    ASSERT_EQ(shown.size(), 1u);
    for (const ShownNumberCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto sheet = std::find_if(book.sheets.begin(), book.sheets.end(),
                                        [&](const auto& s) { return s.name == c.sheet; });
        ASSERT_NE(sheet, book.sheets.end());
        const QJsonObject cell = sheet->cell(c.cell);
        EXPECT_EQ(cell.value(QStringLiteral("type")).toString(), QStringLiteral("n"));
        EXPECT_EQ(cell.value(QStringLiteral("format")).toString().toStdString(), c.format);
        ASSERT_EQ(shown[0].count(c.sheet), 1u);
        EXPECT_EQ(shown[0].at(c.sheet).cell(c.cell), c.shown);
    }
}

TEST_F(RemoteExportTest, MissingDataSourceFailsInOneLineAndTheRestIsWritten)
{
    const testsupport::CommandOutcome result =
        run({QStringLiteral("export"), source(), QStringLiteral("picked"), QStringLiteral("far"),
             QStringLiteral("-o"), out()});
    EXPECT_EQ(result.status, 3);  // written, with a failure
    const std::vector<std::string> lines = result.errorLines();
    ASSERT_EQ(lines.size(), 2u) << result.err;
    EXPECT_EQ(lines[0],
              "quorvane-export: The view far of remote.dbc cannot be opened: its connection "
              "Nowhere names the data source quorvane_nowhere, which is not defined on this "
              "machine (odbc.ini lists the data sources).");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "out.xlsx"));
}

// Without --allow-remote-views: what each command writes and the lines it prints.
struct WithoutOptionCase
{
    std::string name;
    QStringList arguments;  // after the command's name and SOURCE; "OUT" stands for out.xlsx
    std::string command;
    int status;
    std::vector<std::string> errorLines;
    std::vector<std::string> sheets;  // the workbook's sheets, for export
};

class RemoteExportWithoutOptionTest : public RemoteExportTest,
                                      public testing::WithParamInterface<WithoutOptionCase>
{
};

TEST_P(RemoteExportWithoutOptionTest, SkipsRemoteViewsAndKeepsTheRest)
{
    const WithoutOptionCase& wanted = GetParam();
    QStringList arguments{QString::fromStdString(wanted.command), source()};
    for (const QString& argument : wanted.arguments)
        arguments << (argument == QLatin1String("OUT") ? out() : argument);
    const testsupport::CommandOutcome result = runAsGiven(arguments);
    EXPECT_EQ(result.status, wanted.status) << result.err;
    std::vector<std::string> lines = wanted.errorLines;
    for (std::string& line : lines) {
        if (const std::size_t at = line.find("OUT"); at != std::string::npos)
            line.replace(at, 3, out().toStdString());
    }
    EXPECT_EQ(result.errorLines(), lines);
    if (wanted.command == "dump") {
        EXPECT_EQ(result.out, "");
    } else if (wanted.command == "list") {
        EXPECT_EQ(result.out, "TABLE\tplain\nVIEW\tfar\nVIEW\tpicked\n");
    } else {
        EXPECT_EQ(testsupport::readXlsx(folder.path() / "out.xlsx").names(), wanted.sheets);
    }
}

const std::string kPickedSkipped =
    "quorvane-export: The view picked was skipped: it reads from the server "
    "DSN=quorvane_shop;, and quorvane-export connects to servers only with --allow-remote-views.";

INSTANTIATE_TEST_SUITE_P(
    Batch, RemoteExportWithoutOptionTest,
    testing::Values(
        WithoutOptionCase{"export_named_view_and_table",
                          {QStringLiteral("picked"), QStringLiteral("plain"), QStringLiteral("-o"),
                           QStringLiteral("OUT")},
                          "export",
                          3,
                          {kPickedSkipped,
                           "quorvane-export: 1 of 2 tables could not be copied in full; OUT holds "
                           "everything that could be read"},
                          {"picked", "plain"}},
        WithoutOptionCase{"export_everything_asks_nothing_and_refuses_the_undefined",
                          {QStringLiteral("-o"), QStringLiteral("OUT")},
                          "export",
                          3,
                          {"quorvane-export: The view far of remote.dbc cannot be opened: its "
                           "connection Nowhere names the data source quorvane_nowhere, which is "
                           "not defined on this machine (odbc.ini lists the data sources).",
                           kPickedSkipped,
                           "quorvane-export: 2 of 3 tables could not be copied in full; OUT holds "
                           "everything that could be read"},
                          {"plain", "far", "picked"}},
        WithoutOptionCase{
            "dump_of_a_remote_view", {QStringLiteral("picked")}, "dump", 3, {kPickedSkipped}, {}},
        WithoutOptionCase{"list_still_lists_the_views", {}, "list", 0, {}, {}}),
    dbtest::CaseName{});

#endif

}  // namespace
