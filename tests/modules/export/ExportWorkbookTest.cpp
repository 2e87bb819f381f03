// A whole export into a real .xlsx, read back with openpyxl: names, cells and their types, the
// widths of the active sheet only, tab order, continuation sheets; and no file after a failure.
#include "modules/export/WorkbookFile.h"
#include "tests/modules/export/ExportRunFixture.h"
#include "tests/support/LibreOfficeReader.h"
#include "tests/support/XlsxReader.h"

namespace {

namespace data = exporttest;
using exporttest::ExportRunTest;

class ExportWorkbookTest : public ExportRunTest
{
protected:
    // Exports the list into dir/out.xlsx and commits the file when the run was complete.
    exporting::ExportOutcome exportToFile(int rowsPerSheet = spreadsheet::kMaxRows)
    {
        foxpro::ConnectionSettings settings{false, QString(),
                                            QString::fromStdString(dir.path().string())};
        exporting::WorkbookFile output{file()};
        const exporting::ExportOutcome outcome = exporting::runExport(
            {settings, list.items, output.factory(), rowsPerSheet}, progress, messages.reports());
        if (outcome.handedOver && outcome.tablesIncomplete == 0)
            output.commit();
        return outcome;
    }
    std::filesystem::path file() const { return dir.path() / "out.xlsx"; }

    // Two tables, ticked: people, with a field of each kind, and second.
    void writePeopleAndSecond()
    {
        data::writeTable(
            dir.path(), "people",
            {{"ID", vfp::FieldType::Integer},
             {"NAME", vfp::FieldType::Character, 6},
             {"AMOUNT", vfp::FieldType::Numeric, 8, 2, true},
             {"BORN", vfp::FieldType::Date, 0, 0, true},
             {"ACTIVE", vfp::FieldType::Logical},
             {"UPDATED", vfp::FieldType::DateTime},
             {"NOTES", vfp::FieldType::Memo}},
            {{data::integer(1), data::text("Zoë"), data::decimal("12.50"), data::date(2021, 8, 31),
              data::boolean(true), data::dateTime(2013, 5, 3, 16, 46, 20), data::text("=1+1")},
             {data::integer(2), data::text("0012"), data::null(), data::null(),
              data::boolean(false), data::dateTime(2000, 1, 1, 0, 0, 0), vfp::Value{}}});
        data::writeNamesTable(dir.path(), "second", 2);
        list.add(QStringLiteral("people"), true);
        list.add(QStringLiteral("second"), true);
    }
};

TEST_F(ExportWorkbookTest, CellsTypesWidthsAndTabsReadBack)
{
    writePeopleAndSecond();
    ASSERT_TRUE(exportToFile().handedOver);

    const testsupport::ReadWorkbook book = testsupport::readXlsx(file());
    ASSERT_EQ(book.names(), (std::vector<std::string>{"people", "second"}));
    EXPECT_EQ(book.active, "second");
    const testsupport::ReadSheet& people = book.sheets[0];
    struct Expected
    {
        const char* cell;
        const char* type;  // s text, n number, b boolean, d date; "" no cell
        QJsonValue value;
    };
    const Expected expected[] = {
        {"A1", "s", QStringLiteral("id")},
        {"G1", "s", QStringLiteral("notes")},
        {"A2", "n", 1},
        {"B2", "s", QStringLiteral("Zoë   ")},
        {"C2", "n", 12.5},
        {"D2", "d", QStringLiteral("2021-08-31 00:00:00")},
        {"E2", "b", true},
        {"F2", "d", QStringLiteral("2013-05-03 16:46:20")},
        {"G2", "s", QStringLiteral("=1+1")},
        {"B3", "s", QStringLiteral("0012  ")},
        {"C3", "", {}},
        {"D3", "", {}},
        {"E3", "b", false},
        {"G3", "", {}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.cell);
        const QJsonObject cell = people.cell(e.cell);
        EXPECT_EQ(cell.value(QStringLiteral("type")).toString().toStdString(), e.type);
        if (*e.type) {
            EXPECT_EQ(cell.value(QStringLiteral("value")), e.value);
        }
    }
    // Only the active sheet is fitted; on the other, dates get the width they need, as they
    // are never shortened to fit.
    std::vector<std::string> widened;
    for (const auto& [column, width] : people.widths)
        widened.push_back(column);
    EXPECT_EQ(widened, (std::vector<std::string>{"D", "F"}));
    EXPECT_FALSE(book.sheets[1].widths.empty());
}

TEST_F(ExportWorkbookTest, LibreOfficeShowsTheCellsAsTheSourceHasThem)
{
    QUORVANE_REQUIRE_LIBREOFFICE();
    writePeopleAndSecond();
    ASSERT_TRUE(exportToFile().handedOver);
    const auto shown = testsupport::readWithLibreOffice({file()});
    const testsupport::LibreOfficeBook& sheets = shown.front();
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(
        sheets.at("people").rows,
        (Rows{{"id", "name", "amount", "born", "active", "updated", "notes"},
              {"1", "Zo\xC3\xAB   ", "12.50", "2021-08-31", "TRUE", "2013-05-03 16:46:20", "=1+1"},
              {"2", "0012  ", "", "", "FALSE", "2000-01-01 00:00:00", ""}}));
    EXPECT_EQ(sheets.at("second").rows, (Rows{{"name"}, {"r1"}, {"r2"}}));
}

TEST_F(ExportWorkbookTest, ContinuationSheetsEachStartWithTheNames)
{
    data::writeNamesTable(dir.path(), "big", 5);
    list.add(QStringLiteral("big"), true);
    ASSERT_TRUE(exportToFile(3).handedOver);
    const testsupport::ReadWorkbook book = testsupport::readXlsx(file());
    ASSERT_EQ(book.names(), (std::vector<std::string>{"big", "big (2)", "big (3)"}));
    const char* firstRecords[] = {"r1", "r3", "r5"};
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(book.sheets[s].cell("A1").value(QStringLiteral("value")).toString(),
                  QStringLiteral("name"));
        EXPECT_EQ(book.sheets[s].cell("A2").value(QStringLiteral("value")).toString(),
                  QString::fromLatin1(firstRecords[s]));
    }
    EXPECT_TRUE(book.sheets[2].cell("A3").isEmpty());
}

TEST_F(ExportWorkbookTest, IncompleteExportLeavesNoFile)
{
    data::writeNamesTable(dir.path(), "a", 1);
    list.add(QStringLiteral("a"), true);
    list.add(QStringLiteral("missing"), true);
    const auto outcome = exportToFile();
    EXPECT_EQ(outcome.tablesIncomplete, 1);
    EXPECT_FALSE(std::filesystem::exists(file()));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().extension(), ".dbf") << "left behind: " << entry.path();
}

}  // namespace
