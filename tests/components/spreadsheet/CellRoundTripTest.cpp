// Cells written through the component and read back by an independent reader: each kind of
// text lands as the value a spreadsheet program shows, and no text breaks the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "components/spreadsheet/XlsxWorkbook.h"
#include "tests/components/spreadsheet/XlsxReader.h"
#include "tests/support/TempDir.h"
#include "tests/support/WritableFile.h"

namespace {

using spreadsheet::CellKind;

struct RoundTripCase
{
    const char* name;
    CellKind kind;
    std::string input;
    const char* type;   // s, n, b, d; "" = no cell
    std::string shown;  // text, number, "true"/"false" or "YYYY-MM-DD hh:mm:ss"
    const char* format = "";
    bool cut = false;
};

const std::string kReplacement = "\xEF\xBF\xBD";
const std::string kSmiley = "\xF0\x9F\x98\x80";

const std::vector<RoundTripCase>& cases()
{
    static const std::vector<RoundTripCase> all = {
        {"leading_zeros_stay_text", CellKind::Text, "0012", "s", "0012"},
        {"formula_text_stays_text", CellKind::Text, "=1+1", "s", "=1+1"},
        {"number_hint_numeric_text", CellKind::Number, "12.50", "n", "12.5"},
        {"negative_number", CellKind::Number, "-0.0001", "n", "-0.0001"},
        {"sixteen_digits_stay_text", CellKind::Number, "1234567890123456", "s", "1234567890123456"},
        {"number_hint_non_number_stays_text", CellKind::Number, "N/A", "s", "N/A"},
        {"blank_date_writes_no_cell", CellKind::Date, "", "", ""},
        {"blank_text_writes_no_cell", CellKind::Text, "", "", ""},
        {"logical_true", CellKind::Boolean, "True", "b", "true"},
        {"logical_false", CellKind::Boolean, "False", "b", "false"},
        {"date", CellKind::Date, "2024-02-29", "d", "2024-02-29 00:00:00", "yyyy-mm-dd"},
        {"date_first_serial", CellKind::Date, "1900-01-01", "d", "1900-01-01 00:00:00",
         "yyyy-mm-dd"},
        {"date_after_phantom_leap_day", CellKind::Date, "1900-03-01", "d", "1900-03-01 00:00:00",
         "yyyy-mm-dd"},
        {"datetime", CellKind::DateTime, "2013-05-03 16:46:20", "d", "2013-05-03 16:46:20",
         "yyyy-mm-dd hh:mm:ss"},
        {"date_before_1900_stays_text", CellKind::Date, "1752-09-14", "s", "1752-09-14"},
        {"control_characters_kept", CellKind::Text,
         "a\x01"
         "b\x1F"
         "c\rd\te\nf\x7F",
         "s",
         "a\x01"
         "b\x1F"
         "c\rd\te\nf\x7F"},
        {"nul_kept", CellKind::Text, std::string("a\0b", 3), "s", std::string("a\0b", 3)},
        {"escape_form_before_nul_kept", CellKind::Text, std::string("_x0041\0_", 8), "s",
         std::string("_x0041\0_", 8)},
        {"escape_form_before_control_characters_kept", CellKind::Text, "_x0041\x01_x0042\r_", "s",
         "_x0041\x01_x0042\r_"},
        {"noncharacter_replaced", CellKind::Text,
         "a\xEF\xBF\xBE"
         "b",
         "s", "a" + kReplacement + "b"},
        {"invalid_utf8_replaced", CellKind::Text,
         "\xFF\xFE"
         "caf\xE9",
         "s", kReplacement + kReplacement + "caf" + kReplacement},
        {"literal_escape_shown_literally", CellKind::Text, "_x0041_ and _x000D_", "s",
         "_x0041_ and _x000D_"},
        {"xml_specials", CellKind::Text, "<a href=\"x\">&amp;</a> 'q'", "s",
         "<a href=\"x\">&amp;</a> 'q'"},
        {"unicode_text", CellKind::Text, "\xCE\xA3 \xE6\x97\xA5 " + kSmiley, "s",
         "\xCE\xA3 \xE6\x97\xA5 " + kSmiley},
        {"longest_text_whole", CellKind::Text, std::string(32'767, 'a'), "s",
         std::string(32'767, 'a')},
        {"one_past_longest_cut", CellKind::Text, std::string(32'768, 'b'), "s",
         std::string(32'767, 'b'), "", true},
        {"surrogate_pair_at_cut_not_split", CellKind::Text, std::string(32'766, 'c') + kSmiley, "s",
         std::string(32'766, 'c'), "", true},
    };
    return all;
}

std::string shownValue(const QJsonObject& cell)
{
    const QJsonValue value = cell.value(QStringLiteral("value"));
    if (value.isBool())
        return value.toBool() ? "true" : "false";
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15).toStdString();
    return value.toString().toStdString();
}

// One workbook holds every case, one per row, so the reader runs once for all of them.
TEST(CellRoundTrip, EachTextReadsBackAsTheValueShown)
{
    testsupport::TempDir dir;
    const auto file = dir.path() / "cells.xlsx";
    std::vector<bool> cut;
    int cutCells = 0;
    {
        const testsupport::WritableFile out(file);
        spreadsheet::XlsxWorkbook book(out.descriptor(), file.string());
        spreadsheet::Worksheet& sheet = book.ActiveSheet();
        for (std::size_t i = 0; i < cases().size(); ++i) {
            sheet.setCells(static_cast<int>(i) + 1, 1, cases()[i].name, CellKind::Text);
            cut.push_back(
                sheet.setCells(static_cast<int>(i) + 1, 2, cases()[i].input, cases()[i].kind));
        }
        cutCells = sheet.cutCells();
        book.close();
    }
    const testsupport::ReadWorkbook read = testsupport::readXlsx(file);
    ASSERT_EQ(read.sheets.size(), 1u);
    for (std::size_t i = 0; i < cases().size(); ++i) {
        const RoundTripCase& expected = cases()[i];
        SCOPED_TRACE(expected.name);
        const QJsonObject cell = read.sheets[0].cell("B" + std::to_string(i + 1));
        EXPECT_EQ(cell.value(QStringLiteral("type")).toString().toStdString(), expected.type);
        EXPECT_EQ(shownValue(cell), expected.shown);
        EXPECT_EQ(cell.value(QStringLiteral("format")).toString().toStdString(), expected.format);
        EXPECT_EQ(cut[i], expected.cut);
    }
    EXPECT_EQ(cutCells,
              std::count_if(cases().begin(), cases().end(), [](const auto& c) { return c.cut; }));
}

}  // namespace
