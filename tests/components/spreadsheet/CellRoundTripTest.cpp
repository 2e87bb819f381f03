// Cells written through the component and read back by an independent reader: each kind of
// text lands as the value a spreadsheet program shows, numbers with the decimals their column
// shows, and no text breaks the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <memory>

#include "components/spreadsheet/XlsxWorkbook.h"
#include "tests/support/LibreOfficeReader.h"
#include "tests/support/TempDir.h"
#include "tests/support/WritableFile.h"
#include "tests/support/XlsxReader.h"

namespace {

// One typed write of a cell.
struct Write
{
    enum Kind { Text, Number, Decimal, Boolean, Date } kind = Text;
    std::string text;  // Text, Decimal
    double number = 0;
    spreadsheet::CellDate date{};
    int decimals = 0;  // the column shows numbers with these from this cell on

    // Writes the cell; true when its text was cut.
    bool to(spreadsheet::Worksheet& sheet, int row, int column) const
    {
        sheet.setNumberDecimals(column, decimals);
        switch (kind) {
            case Text:
                return sheet.writeText(row, column, text);
            case Number:
                sheet.writeNumber(row, column, number);
                break;
            case Decimal:
                sheet.writeDecimal(row, column, text);
                break;
            case Boolean:
                sheet.writeBoolean(row, column, number != 0);
                break;
            case Date:
                sheet.writeDate(row, column, date);
                break;
        }
        return false;
    }
};

Write text(std::string value)
{
    return {Write::Text, std::move(value)};
}
Write number(double value)
{
    return {Write::Number, {}, value};
}
Write decimal(std::string digits)
{
    return {Write::Decimal, std::move(digits)};
}
Write shownWith(int decimals, Write write)
{
    write.decimals = decimals;
    return write;
}
Write boolean(bool value)
{
    return {Write::Boolean, {}, value ? 1.0 : 0.0};
}
Write day(int y, int m, int d)
{
    return {Write::Date, {}, 0, {y, m, d, 0, 0, 0, false}};
}
Write moment(int y, int m, int d, int h, int mi, int s)
{
    return {Write::Date, {}, 0, {y, m, d, h, mi, s, true}};
}

struct RoundTripCase
{
    const char* name;
    Write write;
    const char* type;   // s, n, b, d; "" = no cell
    std::string shown;  // text, number, "true"/"false" or "YYYY-MM-DD hh:mm:ss"
    const char* format = "";
    bool cut = false;
    const char* libreOffice = nullptr;  // what LibreOffice shows, where the case is about that
};

const std::string kReplacement = "\xEF\xBF\xBD";
const std::string kSmiley = "\xF0\x9F\x98\x80";

// 13,317 characters, 9,658 of them NUL: within the cell limit however its NULs are escaped.
std::string nulRichMemo()
{
    std::string memo;
    for (int i = 0; i < 9'658; ++i)
        memo += i < 3'659 ? std::string("a\0", 2) : std::string(1, '\0');
    return memo;
}

const std::vector<RoundTripCase>& cases()
{
    static const std::vector<RoundTripCase> all = {
        {"leading_zeros_stay_text", text("0012"), "s", "0012"},
        {"formula_text_stays_text", text("=1+1"), "s", "=1+1"},
        {"decimal_is_a_number", decimal("12.50"), "n", "12.5", "", false, "12.5"},
        {"negative_decimal", decimal("-0.0001"), "n", "-1e-04"},
        {"sixteen_digit_decimal_stays_text", decimal("1234567890123456"), "s", "1234567890123456",
         "", false, "1234567890123456"},
        {"decimal_overflow_marks_stay_text", decimal("*****"), "s", "*****"},
        {"blank_decimal_writes_no_cell", decimal(""), "", ""},
        {"blank_text_writes_no_cell", text(""), "", ""},
        {"double_keeps_every_digit", number(0.1 + 0.2), "n", "0.30000000000000004"},
        {"double_huge_is_a_number", number(1e300), "n", "1e+300", "", false, "1E+300"},
        {"double_third", number(1.0 / 3.0), "n", "0.3333333333333333"},
        {"double_nan_is_text", number(std::nan("")), "s", "nan"},
        {"declared_decimals_shown_value_exact", shownWith(2, decimal("47.9")), "n", "47.9", "0.00",
         false, "47.90"},
        {"currency_shows_four_decimals", shownWith(4, decimal("-24.19")), "n", "-24.19", "0.0000",
         false, "-24.1900"},
        {"double_shows_decimals_keeps_every_digit", shownWith(2, number(1.0 / 3.0)), "n",
         "0.3333333333333333", "0.00", false, "0.33"},
        {"only_the_shown_digits_round", shownWith(2, decimal("9.999")), "n", "9.999", "0.00", false,
         "10.00"},
        {"no_decimals_is_general_again", shownWith(0, decimal("6.5")), "n", "6.5", "", false,
         "6.5"},
        {"long_decimal_stays_text_with_decimals", shownWith(2, decimal("1234567890123456.5")), "s",
         "1234567890123456.5", "", false, "1234567890123456.5"},
        {"decimals_past_thirty_show_thirty", shownWith(99, decimal("0.5")), "n", "0.5",
         "0.000000000000000000000000000000", false, "0.500000000000000000000000000000"},
        {"logical_true", boolean(true), "b", "true", "", false, "TRUE"},
        {"logical_false", boolean(false), "b", "false", "", false, "FALSE"},
        {"date", day(2024, 2, 29), "d", "2024-02-29 00:00:00", "yyyy-mm-dd", false, "2024-02-29"},
        {"placeholder_1900_01_01_is_text_shown_alike", day(1900, 1, 1), "s", "1900-01-01", "",
         false, "1900-01-01"},
        {"last_day_before_phantom_leap_day_is_text", day(1900, 2, 28), "s", "1900-02-28", "", false,
         "1900-02-28"},
        {"first_common_day_is_a_date", day(1900, 3, 1), "d", "1900-03-01 00:00:00", "yyyy-mm-dd",
         false, "1900-03-01"},
        {"datetime", moment(2013, 5, 3, 16, 46, 20), "d", "2013-05-03 16:46:20",
         "yyyy-mm-dd hh:mm:ss", false, "2013-05-03 16:46:20"},
        {"early_datetime_is_text", moment(1900, 1, 1, 8, 0, 0), "s", "1900-01-01 08:00:00", "",
         false, "1900-01-01 08:00:00"},
        {"date_before_1900_stays_text", day(1752, 9, 14), "s", "1752-09-14"},
        {"control_characters_kept",
         text("a\x01"
              "b\x1F"
              "c\rd\te\nf\x7F"),
         "s",
         "a\x01"
         "b\x1F"
         "c\rd\te\nf\x7F"},
        {"nul_kept", text(std::string("a\0b", 3)), "s", std::string("a\0b", 3)},
        {"nul_rich_memo_whole", text(nulRichMemo()), "s", nulRichMemo()},
        {"escape_form_before_nul_kept", text(std::string("_x0041\0_", 8)), "s",
         std::string("_x0041\0_", 8)},
        {"escape_form_before_control_characters_kept", text("_x0041\x01_x0042\r_"), "s",
         "_x0041\x01_x0042\r_"},
        {"noncharacter_replaced",
         text("a\xEF\xBF\xBE"
              "b"),
         "s", "a" + kReplacement + "b"},
        {"invalid_utf8_replaced",
         text("\xFF\xFE"
              "caf\xE9"),
         "s", kReplacement + kReplacement + "caf" + kReplacement},
        {"literal_escape_shown_literally", text("_x0041_ and _x000D_"), "s", "_x0041_ and _x000D_",
         "", false, "_x0041_ and _x000D_"},
        {"blank_among_the_hex_digits_is_no_escape", text("_x001 _4_x005F_"), "s", "_x001 _4_x005F_",
         "", false, "_x001 _4_x005F_"},
        {"xml_specials", text("<a href=\"x\">&amp;</a> 'q'"), "s", "<a href=\"x\">&amp;</a> 'q'"},
        {"unicode_text", text("\xCE\xA3 \xE6\x97\xA5 " + kSmiley), "s",
         "\xCE\xA3 \xE6\x97\xA5 " + kSmiley},
        {"longest_text_whole", text(std::string(32'767, 'a')), "s", std::string(32'767, 'a')},
        {"one_past_longest_cut", text(std::string(32'768, 'b')), "s", std::string(32'767, 'b'), "",
         true},
        {"surrogate_pair_at_cut_not_split", text(std::string(32'766, 'c') + kSmiley), "s",
         std::string(32'766, 'c'), "", true},
    };
    return all;
}

std::string shownValue(const QJsonObject& cell)
{
    const QJsonValue value = cell.value(QStringLiteral("value"));
    if (value.isBool())
        return value.toBool() ? "true" : "false";
    if (value.isDouble()) {  // the shortest text of the very double read back
        std::array<char, 32> text{};
        const auto end =
            std::to_chars(text.data(), text.data() + text.size(), value.toDouble()).ptr;
        return std::string(text.data(), end);
    }
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
            sheet.writeText(static_cast<int>(i) + 1, 1, cases()[i].name);
            cut.push_back(cases()[i].write.to(sheet, static_cast<int>(i) + 1, 2));
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

// The same workbook as LibreOffice shows it: numbers exact, dates on their day, early dates of
// 1900 (where programs count a phantom leap day differently) shown as written.
TEST(CellRoundTrip, LibreOfficeShowsEachValueAsWritten)
{
    QUORVANE_REQUIRE_LIBREOFFICE();
    testsupport::TempDir dir;
    const auto file = dir.path() / "cells.xlsx";
    {
        const testsupport::WritableFile out(file);
        spreadsheet::XlsxWorkbook book(out.descriptor(), file.string());
        spreadsheet::Worksheet& sheet = book.ActiveSheet();
        for (std::size_t i = 0; i < cases().size(); ++i)
            cases()[i].write.to(sheet, static_cast<int>(i) + 1, 1);
        book.close();
    }
    const std::vector<testsupport::LibreOfficeBook> read = testsupport::readWithLibreOffice({file});
    ASSERT_EQ(read.size(), 1u);
    ASSERT_EQ(read[0].size(), 1u);
    const testsupport::LibreOfficeSheet& sheet = read[0].begin()->second;
    for (std::size_t i = 0; i < cases().size(); ++i) {
        if (!cases()[i].libreOffice)
            continue;
        SCOPED_TRACE(cases()[i].name);
        EXPECT_EQ(sheet.cell("A" + std::to_string(i + 1)), cases()[i].libreOffice);
    }
}

}  // namespace
