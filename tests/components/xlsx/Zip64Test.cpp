// A sheet of more than 4 GiB of XML (a wide table of a million rows reaches it): its entry
// needs the zip64 fields, and the package must still read back whole.
#include <gtest/gtest.h>

#include <QProcess>

#include "components/xlsx/WorkbookWriter.h"
#include "tests/support/TempDir.h"
#include "tests/support/WritableFile.h"

namespace {

constexpr int kRows = 1400;
constexpr int kColumns = 100;
constexpr std::size_t kTextLength = 32'000;  // 1,400 x 100 cells of it: 4.5 GB of XML

// Python's zipfile reads the zip64 records, inflates every part and checks its CRC-32; prints
// the sheet's size and its last bytes.
constexpr char kCheck[] = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as package:
    bad = package.testzip()
    if bad:
        sys.exit("bad CRC in " + bad)
    size = package.getinfo("xl/worksheets/sheet1.xml").file_size
    with package.open("xl/worksheets/sheet1.xml") as sheet:
        sheet.seek(size - 160)
        tail = sheet.read().decode()
    print(size, tail)
)";

TEST(Zip64, SheetPastFourGibibytesReadsBack)
{
    testsupport::TempDir dir;
    const auto file = dir.path() / "wide.xlsx";
    {
        const testsupport::WritableFile out(file);
        xlsx::WorkbookWriter book(out.descriptor(), file.string());
        xlsx::SheetWriter& sheet = book.addSheet("Wide");
        const std::string text(kTextLength, 'z');
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column)
                sheet.writeString(row, column, text);
        }
        book.close();
    }
    QProcess check;
    check.start(
        QStringLiteral(XLSX_TEST_PYTHON),
        {QStringLiteral("-c"), QString::fromLatin1(kCheck), QString::fromStdString(file.string())});
    ASSERT_TRUE(check.waitForFinished(600'000));
    const std::string output = check.readAllStandardOutput().toStdString();
    ASSERT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
    const std::uint64_t size = std::stoull(output);
    EXPECT_GT(size, std::uint64_t(1) << 32);
    EXPECT_NE(output.find("zzzz</t></is></c></row></sheetData><pageMargins"), std::string::npos)
        << output;
}

}  // namespace
