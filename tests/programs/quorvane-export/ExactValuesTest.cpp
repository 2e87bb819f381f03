// Values as the user finds them in the workbook, read back by openpyxl and by LibreOffice (the
// program the workbook is handed to): doubles exact, character fields flagged NOCPTRANS as
// text, early 1900 dates on their day, a damaged memo costing only its own cell, and a source
// with a failing table still written whole but for it.
#include <fstream>

#include "tests/support/Fixtures.h"
#include "tests/support/LibreOfficeReader.h"
#include "tests/support/RunCommand.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/XlsxReader.h"

namespace {

namespace data = dbtest;

testsupport::CommandOutcome exportTo(const QString& source, const std::filesystem::path& out)
{
    return testsupport::runCommand(QStringLiteral(QUORVANE_EXPORT_BINARY),
                                   {QStringLiteral("export"), source, QStringLiteral("-o"),
                                    QString::fromStdString(out.string())});
}

// Points field `offset` of record `record` (0-based) of dbf, a 4-byte memo pointer, far past
// the end of its memo file.
void breakMemoPointer(const std::filesystem::path& dbf, int record, int offset)
{
    std::fstream file(dbf, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char header[12] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    const long headerLength = header[8] | header[9] << 8;
    const long recordLength = header[10] | header[11] << 8;
    file.seekp(headerLength + recordLength * record + offset);
    file.write("\xff\xff\xff\x7f", 4);
}

std::string shown(const QJsonObject& cell)
{
    const QJsonValue value = cell.value(QStringLiteral("value"));
    return value.isDouble() ? QString::number(value.toDouble(), 'g', 17).toStdString()
                            : value.toString().toStdString();
}

TEST(ExactValues, WorkbookShowsEveryValueAsStoredInOpenpyxlAndLibreOffice)
{
    QUORVANE_REQUIRE_LIBREOFFICE();
    testsupport::TempDir dir;
    const std::filesystem::path folder = dir.path() / "tables";
    std::filesystem::create_directories(folder);
    data::writeTable(folder, "vals",
                     {{"ID", vfp::FieldType::Integer},
                      {"AMOUNT", vfp::FieldType::Double, 8, 2},
                      {"NAME", vfp::FieldType::Character, 6, 0, false, true},
                      {"BORN", vfp::FieldType::Date},
                      {"NOTES", vfp::FieldType::Memo}},
                     {{data::integer(1), vfp::Value::fromDouble(1e300), data::binary("Groot"),
                       data::date(1900, 1, 1), data::text("first")},
                      {data::integer(2), vfp::Value::fromDouble(1.0 / 3.0), data::binary("Gr\xfc"),
                       data::date(1900, 2, 28), data::text("second")},
                      {data::integer(3), vfp::Value::fromDouble(-2.5), data::binary("end"),
                       data::date(1900, 3, 1), data::text("third")}});
    // NOTES of record 3: after the deletion byte and ID (4), AMOUNT (8), NAME (6), BORN (8).
    breakMemoPointer(folder / "vals.dbf", 2, 1 + 4 + 8 + 6 + 8);

    const std::filesystem::path out = dir.path() / "vals.xlsx";
    const testsupport::CommandOutcome run = exportTo(QString::fromStdString(folder.string()), out);
    EXPECT_EQ(run.status, 3) << run.err;  // written, with a failure
    ASSERT_EQ(run.errorLines().size(), 2u) << run.err;
    EXPECT_NE(run.errorLines()[0].find("record 3"), std::string::npos) << run.err;

    const testsupport::ReadWorkbook book = testsupport::readXlsx(out);
    ASSERT_EQ(book.sheets.size(), 1u);
    const testsupport::ReadSheet& sheet = book.sheets[0];
    EXPECT_EQ(shown(sheet.cell("B2")), "1.0000000000000001e+300");
    EXPECT_EQ(sheet.cell("B3").value(QStringLiteral("value")).toDouble(), 1.0 / 3.0);
    EXPECT_EQ(sheet.cell("C2").value(QStringLiteral("type")).toString(), QStringLiteral("s"));
    EXPECT_EQ(shown(sheet.cell("C3")), "Grü   ");
    EXPECT_EQ(shown(sheet.cell("D2")), "1900-01-01");
    EXPECT_EQ(sheet.cell("D4").value(QStringLiteral("type")).toString(), QStringLiteral("d"));
    EXPECT_EQ(shown(sheet.cell("A4")), "3");  // the record goes on past the damaged memo
    EXPECT_TRUE(sheet.cell("E4").isEmpty());
    EXPECT_EQ(shown(sheet.cell("E3")), "second");

    const std::vector<testsupport::LibreOfficeBook> read = testsupport::readWithLibreOffice({out});
    ASSERT_EQ(read.size(), 1u);
    ASSERT_EQ(read[0].count("vals"), 1u);
    const testsupport::LibreOfficeSheet& shownByLibreOffice = read[0].at("vals");
    // AMOUNT declares two decimals: every digit of the number, then those two.
    EXPECT_EQ(shownByLibreOffice.cell("B2"), "1" + std::string(300, '0') + ".00");
    EXPECT_EQ(shownByLibreOffice.cell("C2"), "Groot ");
    EXPECT_EQ(shownByLibreOffice.cell("C3"), "Grü   ");
    EXPECT_EQ(shownByLibreOffice.cell("D2"), "1900-01-01");
    EXPECT_EQ(shownByLibreOffice.cell("D3"), "1900-02-28");
    EXPECT_EQ(shownByLibreOffice.cell("D4"), "1900-03-01");
    EXPECT_EQ(shownByLibreOffice.cell("A4"), "3");
    EXPECT_EQ(shownByLibreOffice.cell("E4"), "");
}

// The Northwind container's remote view cannot be opened here: every other table and view
// still reaches the workbook, and the exit status says a part is missing.
TEST(ExactValues, ContainerWithAFailingViewIsWrittenWithTheRest)
{
    QUORVANE_REQUIRE_FIXTURES();
    testsupport::TempDir dir;
    const std::filesystem::path out = dir.path() / "northwind.xlsx";
    const testsupport::CommandOutcome run =
        exportTo(QString::fromStdString(
                     testsupport::fixture("XSharpPublic/VfpTestData/northwind.dbc").string()),
                 out);
    EXPECT_EQ(run.status, 3) << run.err;
    bool namesTheView = false;
    for (const std::string& line : run.errorLines())
        namesTheView = namesTheView || line.find("bedrijven") != std::string::npos;
    EXPECT_TRUE(namesTheView) << run.err;
    const testsupport::ReadWorkbook book = testsupport::readXlsx(out);
    EXPECT_GT(book.sheets.size(), 10u);
    bool customersWritten = false;
    for (const testsupport::ReadSheet& sheet : book.sheets) {
        if (sheet.name == "Customers")
            customersWritten = !sheet.cell("A92").isEmpty();  // its 91 records
    }
    EXPECT_TRUE(customersWritten);
}

}  // namespace
