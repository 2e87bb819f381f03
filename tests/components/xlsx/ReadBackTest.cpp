// What users see: a workbook of our writer opened by openpyxl, and by LibreOffice and Gnumeric
// (every sheet to CSV), shows each value as written, on every sheet, in tab order.
#include <gtest/gtest.h>

#include "components/xlsx/WorkbookWriter.h"
#include "tests/support/SheetReaders.h"
#include "tests/support/TempDir.h"
#include "tests/support/WritableFile.h"
#include "tests/support/XlsxReader.h"

namespace {

constexpr int kLongRows = 30'000;  // several pieces for the second thread
const std::string kTexts[] = {"plain",
                              "A & <B> \"q\" 'x'",
                              "Zo\xC3\xAB M\xC3\xBCller \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80",
                              " spaced ",
                              "two\nlines",
                              "control\x01character"};
const std::string kSecond = "Second & \xC3\x9Cn\xC3\xAF";

void writeWorkbook(const std::filesystem::path& file)
{
    const testsupport::WritableFile out(file);
    xlsx::WorkbookWriter book(out.descriptor(), file.string());
    const xlsx::Format date = book.addNumberFormat("yyyy-mm-dd");
    const xlsx::Format dateTime = book.addNumberFormat("yyyy-mm-dd hh:mm:ss");
    xlsx::SheetWriter& mixed = book.addSheet("Mixed");
    xlsx::SheetWriter& second = book.addSheet(kSecond);
    for (int column = 0; column < 6; ++column)
        mixed.writeString(0, column, kTexts[column]);
    const double numbers[] = {12.5, -5, 0.1 + 0.2, 1234567.125, 0.0001};
    for (int column = 0; column < 5; ++column)
        mixed.writeNumber(1, column, numbers[column]);
    mixed.writeBoolean(2, 0, true);
    mixed.writeBoolean(2, 1, false);
    mixed.writeDateTime(3, 0, {2024, 1, 31}, date);
    mixed.writeDateTime(3, 1, {2013, 5, 3, 16, 46, 20}, dateTime);
    for (int row = 0; row < kLongRows; ++row) {
        second.writeNumber(row, 0, row + 1);
        second.writeString(row, 1, "row " + std::to_string(row + 1));
    }
    second.setColumnWidth(1, 12);
    book.activate(second);
    book.close();
}

TEST(ReadBack, OpenpyxlSeesEveryValueAsWritten)
{
    testsupport::TempDir dir;
    writeWorkbook(dir.path() / "book.xlsx");
    const testsupport::ReadWorkbook book = testsupport::readXlsx(dir.path() / "book.xlsx");
    ASSERT_EQ(book.names(), (std::vector<std::string>{"Mixed", kSecond}));
    EXPECT_EQ(book.active, kSecond);
    const testsupport::ReadSheet& mixed = book.sheets[0];
    const char* columns[] = {"A", "B", "C", "D", "E", "F"};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(mixed.cell(std::string(columns[column]) + "1")
                      .value(QStringLiteral("value"))
                      .toString()
                      .toStdString(),
                  kTexts[column]);
    }
    // Sixteen significant digits, as libxlsxwriter (and Excel, with fifteen) keep them.
    EXPECT_EQ(mixed.cell("C2").value(QStringLiteral("value")).toDouble(), 0.3);
    EXPECT_EQ(mixed.cell("D2").value(QStringLiteral("value")).toDouble(), 1234567.125);
    EXPECT_EQ(mixed.cell("B3").value(QStringLiteral("value")).toBool(), false);
    EXPECT_EQ(mixed.cell("B4").value(QStringLiteral("value")).toString(),
              QStringLiteral("2013-05-03 16:46:20"));
    EXPECT_EQ(mixed.cell("B4").value(QStringLiteral("format")).toString(),
              QStringLiteral("yyyy-mm-dd hh:mm:ss"));
    const testsupport::ReadSheet& second = book.sheets[1];
    EXPECT_EQ(second.cells.size(), std::size_t(2 * kLongRows));
    EXPECT_EQ(second.cell("B30000").value(QStringLiteral("value")).toString(),
              QStringLiteral("row 30000"));
    EXPECT_NEAR(second.widths.at("B"), 12.7109375, 1e-9);
}

struct ProgramCase
{
    const char* name;
    testsupport::SheetReader reader;
    // kTexts[5] as a program that does not decode "_xHHHH_" shows it; nullptr: as written.
    const char* controlShown;
    std::vector<std::string> dates;  // the two dates as the program's CSV gives them
};

class ReadBackBy : public testing::TestWithParam<ProgramCase>
{
};

TEST_P(ReadBackBy, SpreadsheetProgramShowsEveryValueAsWritten)
{
    if (const std::string missing = testsupport::readerMissing(GetParam().reader); !missing.empty())
        GTEST_SKIP() << missing << ": tools/setup.sh installs it";
    testsupport::TempDir dir;
    writeWorkbook(dir.path() / "book.xlsx");
    const auto read = testsupport::readSheets(GetParam().reader, {dir.path() / "book.xlsx"});
    const testsupport::SheetBook& sheets = read.front();
    ASSERT_EQ(sheets.size(), 2u);
    const auto& mixed = sheets.at("Mixed").rows;
    ASSERT_EQ(mixed.size(), 4u);
    std::vector<std::string> texts(std::begin(kTexts), std::end(kTexts));
    if (GetParam().controlShown)
        texts[5] = GetParam().controlShown;
    EXPECT_EQ(mixed[0], texts);
    EXPECT_EQ(mixed[1],
              (std::vector<std::string>{"12.5", "-5", "0.3", "1234567.125", "0.0001", ""}));
    EXPECT_EQ(mixed[2], (std::vector<std::string>{"TRUE", "FALSE", "", "", "", ""}));
    std::vector<std::string> dates = GetParam().dates;
    dates.resize(6);
    EXPECT_EQ(mixed[3], dates);
    const auto& second = sheets.at(kSecond).rows;
    ASSERT_EQ(second.size(), std::size_t(kLongRows));
    for (int row = 0; row < kLongRows; row += 997) {
        EXPECT_EQ(
            second[std::size_t(row)],
            (std::vector<std::string>{std::to_string(row + 1), "row " + std::to_string(row + 1)}));
    }
}

// Gnumeric's CSV gives dates in a form of its own, whatever the cell's format.
INSTANTIATE_TEST_SUITE_P(Programs, ReadBackBy,
                         testing::Values(ProgramCase{"libreoffice",
                                                     testsupport::SheetReader::LibreOffice,
                                                     nullptr,
                                                     {"2024-01-31", "2013-05-03 16:46:20"}},
                                         ProgramCase{"gnumeric",
                                                     testsupport::SheetReader::Gnumeric,
                                                     "control_x001C_haracter",
                                                     {"2024/01/31", "2013/05/03 16:46:20"}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
