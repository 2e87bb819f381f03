// dump --csv as a loader reads it (RFC 4180): each row writes a one-field table and expects the
// exact CSV of its record; and on a terminal no byte of a cell drives it.
#include <gtest/gtest.h>

#include <QProcess>

#include "tests/support/PseudoTerminal.h"
#include "tests/support/RunCommand.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace data = dbtest;
using vfp::FieldType;

QString path(const std::filesystem::path& p)
{
    return QString::fromStdString(p.string());
}

struct CsvCase
{
    const char* name;
    vfpwriter::FieldDefinition field;  // named F
    vfp::Value value;
    std::string record;  // the CSV of the record, without its CR LF
};

class DumpCsvTest : public testing::TestWithParam<CsvCase>
{
protected:
    testsupport::TempDir mDir;
};

TEST_P(DumpCsvTest, WritesTheRecordAsLoadersReadIt)
{
    data::writeTable(mDir.path(), "t", {GetParam().field}, {{GetParam().value}});
    const testsupport::CommandOutcome result = testsupport::runCommand(
        QStringLiteral(QUORVANE_EXPORT_BINARY),
        {QStringLiteral("dump"), path(mDir.path() / "t.dbf"), QStringLiteral("--csv")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "\"f\"\r\n" + GetParam().record + "\r\n");
}

const vfpwriter::FieldDefinition kText{"F", FieldType::Memo, 0, 0, true};

INSTANTIATE_TEST_SUITE_P(
    Fields, DumpCsvTest,
    testing::Values(
        CsvCase{"comma_quoted", kText, data::text("a,b"), "\"a,b\""},
        CsvCase{"quote_doubled", kText, data::text("say \"hi\""), "\"say \"\"hi\"\"\""},
        CsvCase{"cr_lf_kept_inside_quotes", kText, data::text("line 1\r\nline 2"),
                "\"line 1\r\nline 2\""},
        CsvCase{"leading_zero_text_quoted_as_text", kText, data::text("0012"), "\"0012\""},
        CsvCase{"empty_text_is_two_quotes", kText, data::text(""), "\"\""},
        CsvCase{"null_is_an_empty_field", kText, data::null(), ""},
        CsvCase{"utf8_and_control_characters_as_they_are", kText,
                data::text(std::string("Z\xC3\xBCrich\t\x01\0", 10)),
                std::string("\"Z\xC3\xBCrich\t\x01\0\"", 12)},
        CsvCase{"integer_bare", {"F", FieldType::Integer}, data::integer(-42), "-42"},
        CsvCase{"numeric_exact_decimal_text",
                {"F", FieldType::Numeric, 12, 4},
                data::decimal("1234567.1250"),
                "1234567.125"},
        CsvCase{"double_shortest_exact_text",
                {"F", FieldType::Double, 8, 2},
                data::real(0.1 + 0.2),
                "0.30000000000000004"},
        CsvCase{"currency_four_decimals",
                {"F", FieldType::Currency},
                data::currency(-12345),
                "-1.2345"},
        CsvCase{"date_iso_8601", {"F", FieldType::Date}, data::date(2024, 2, 29), "2024-02-29"},
        CsvCase{"date_time_iso_8601",
                {"F", FieldType::DateTime},
                data::dateTime(2013, 5, 3, 16, 46, 20),
                "2013-05-03T16:46:20"},
        CsvCase{"blank_date_is_an_empty_field", {"F", FieldType::Date}, vfp::Value{}, ""},
        CsvCase{"logical_bare", {"F", FieldType::Logical}, data::boolean(true), "True"},
        CsvCase{
            "blob_marked", {"F", FieldType::Blob}, data::binary("\x89PNG"), "\"{BINARY DATA}\""}),
    data::CaseName());

// Standard output on a terminal: a cell's escape, BEL or C1 control (byte 0x9D, which
// Windows-1252 leaves undefined, reads as one) arrives as \xHH, as list writes names; line
// feeds and tabs stay.
TEST(DumpCsvOnATerminal, ControlCharactersOfCellsAreEscaped)
{
    testsupport::TempDir dir;
    data::writeTable(dir.path(), "t", {kText}, {{data::binary("\x1b]0;x\x07 \x9d\tend\nnext")}});
    testsupport::PseudoTerminal terminal;
    QProcess dump;
    dump.setStandardOutputFile(terminal.path());
    dump.start(QStringLiteral(QUORVANE_EXPORT_BINARY),
               {QStringLiteral("dump"), QStringLiteral("--csv"), path(dir.path() / "t.dbf")});
    ASSERT_TRUE(dump.waitForFinished(60'000));
    EXPECT_EQ(dump.exitCode(), 0) << dump.readAllStandardError().toStdString();
    EXPECT_EQ(terminal.written(), "\"f\"\r\n\"\\x1b]0;x\\x07 \\xc2\\x9d\tend\nnext\"\r\n");
}

}  // namespace
