// Our writer against libxlsxwriter: the same calls give the same package parts, byte for byte
// once inflated (creation time aside), but for two differences made on purpose, each named by
// the case that shows it: a carriage return goes as "&#13;" (readers that do not decode
// "_x000D_" show those seven characters), and a double that 16 significant digits would lose
// goes with 17. Each case is a kind of content a real export holds, or a way the writer's own
// machinery (pieces, the room for the head, a sheet completed early) could garble it.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>

#include "tests/components/xlsx/CellScript.h"
#include "tests/support/TempDir.h"

namespace {

using namespace xlsxtest;

struct FidelityCase
{
    const char* name;
    std::function<Script()> script;
    std::vector<KnownDifference> differences = {};
};

void PrintTo(const FidelityCase& c, std::ostream* out)
{
    *out << c.name;
}

Script strings()
{
    const char* texts[] = {
        " lead",
        "trail ",
        "\ttab first",
        "line feed last\n",
        "a&b<c>\"d'",
        "\x01\x02\x08\x0B\x0C\x0E\x1F control",
        "carriage\rreturn\r",
        "CR LF\r\nmemo",
        "\x0B vertical tab first",
        "del\x7F",
        "_x0041_ literal",
        "Z\xC3\xB6\xC3\xAB M\xC3\xBCller \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80",
        " ",
        "&&&&<<<>>>"};
    Script script{AddSheet{"Texts"}};
    int row = 0;
    for (const char* text : texts)
        script.push_back(Text{0, row++, 0, text});
    script.push_back(Text{0, row++, 0, std::string(32'767, 'x')});
    script.push_back(Text{0, row++, 0, std::string(10'000, '&')});
    return script;
}

Script numbers()
{
    const double values[] = {0.0,
                             -0.0,
                             1.0 / 3,
                             0.1 + 0.2,
                             123.456,
                             -5,
                             12.5,
                             1e15,
                             1e15 - 0.5,
                             999999999999999.9,
                             1e16,
                             9007199254740993.0,
                             123456789012345678.0,
                             1e20,
                             1e-7,
                             0.0001,
                             0.00001,
                             0.5,
                             -0.25,
                             DBL_MIN,
                             DBL_MAX,
                             -DBL_MAX,
                             DBL_TRUE_MIN,
                             45322.41667824074,
                             99999.99999999999,
                             9.999999999999999,
                             1234567.125};
    Script script{AddSheet{"Numbers"}};
    int row = 0;
    for (const double value : values)
        script.push_back(Number{0, row++, 0, value});
    std::mt19937_64 random(13);
    for (int i = 0; i < 3000; ++i) {
        double value;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));
        script.push_back(Number{0, row, 0, value});
        script.push_back(Number{0, row, 1, double(random() % 100'000'000) / 100});
        script.push_back(Number{0, row++, 2, std::ldexp(double(random() >> 11), -40)});
    }
    return script;
}

// A double whose shortest text has 17 significant digits, and one that 16 keep.
Script exactNumbers()
{
    return {AddSheet{"Exact"}, ExactNumber{0, 0, 0, 0.1 + 0.2}, ExactNumber{0, 1, 0, 1.0 / 3}};
}

Script datesAndStyles()
{
    Script script{AddFormat{"yyyy-mm-dd"}, AddFormat{"yyyy-mm-dd hh:mm:ss"},
                  AddFormat{"#,##0.00 \"<EUR>\""}, AddFormat{"unused"}, AddSheet{"Dates"}};
    // The date-time style is used first, so it becomes style 1 and number format 164.
    const xlsx::DateTime whens[] = {{2024, 1, 31, 10, 0, 1},   {1900, 1, 1, 0, 0, 0},
                                    {1900, 2, 28, 23, 59, 59}, {1900, 3, 1, 0, 0, 0},
                                    {2000, 2, 29, 12, 30, 0},  {9999, 12, 31, 23, 59, 59.999},
                                    {1970, 1, 1, 0, 0, 0.5}};
    int row = 0;
    for (const xlsx::DateTime& when : whens) {
        script.push_back(When{0, row, 0, when, 2});
        script.push_back(When{0, row++, 1, when, 1});
    }
    script.push_back(Number{0, row, 0, 1234.5, 3});
    script.push_back(Text{0, row, 1, "styled text", 1});
    script.push_back(Blank{0, row, 2, 1});
    script.push_back(Blank{0, row, 3, 0});  // no format: no cell
    script.push_back(Text{0, row, 4, "", 0});
    script.push_back(Boolean{0, row, 5, true});
    script.push_back(Boolean{0, row, 6, false});
    return script;
}

// Numbers of fields that declare decimals: one format per count of decimals, shared by the
// cells of every sheet, beside the date formats, its style numbered by its first cell.
Script declaredDecimals()
{
    Script script{AddFormat{"yyyy-mm-dd"}, AddFormat{"yyyy-mm-dd hh:mm:ss"},
                  AddFormat{"0.00"},       AddFormat{"0.0000"},
                  AddFormat{"0.0"},        AddFormat{"0." + std::string(30, '0')},
                  AddSheet{"Orders"},      AddSheet{"Lines"}};
    const double amounts[] = {47.9, 24.19, -0.5, 0, 1e15, 123456789.125, 1.0 / 3};
    int row = 0;
    for (const double amount : amounts) {
        script.push_back(Number{0, row, 0, amount, 4});
        script.push_back(When{0, row, 1, {2023, 6, 7}, 1});
        script.push_back(Number{0, row, 2, amount, 3});
        script.push_back(Number{0, row++, 3, amount});
    }
    script.push_back(Number{1, 0, 0, 0.25, 5});
    script.push_back(Number{1, 0, 1, 47.9, 3});
    script.push_back(Number{1, 0, 2, 1.5, 6});
    return script;
}

Script rowsOutOfOrder()
{
    return {AddSheet{"Order"},    Text{0, 0, 5, "f1"},
            Text{0, 0, 2, "c1"},  Number{0, 0, 5, 7},  // written again: the number stays
            Text{0, 0, 0, "a1"},  Boolean{0, 0, 2, true},
            Text{0, 3, 1, "b4"},  Text{0, 3, 1, "b4 again"},
            Text{0, 9, 3, "d10"}, Text{0, 1'048'575, 16'383, "XFD1048576"}};
}

Script columnWidths()
{
    Script script{AddSheet{"Widths"}, Text{0, 1, 1, "x"}};
    const double widths[] = {0, 0.5, 1, 1.5, 8.43, 10.5, 12.3456789, 100, 254, 255};
    int column = 0;
    for (const double width : widths)
        script.push_back(Width{0, column++, width});
    script.push_back(Width{0, column, 20});
    script.push_back(Width{0, column + 1, 20});  // alike and side by side: not merged
    script.push_back(Width{0, 0, 30});           // set again: the later width stays
    script.push_back(Width{0, 16'383, 40});
    return script;
}

Script manySheets()
{
    Script script;
    for (int i = 1; i <= 12; ++i)
        script.push_back(AddSheet{"Sheet " + std::to_string(i)});
    script.push_back(AddSheet{"A & <B> \"q\""});
    for (int i = 0; i < 13; i += 2)
        script.push_back(Text{i, 0, 0, "sheet " + std::to_string(i)});
    script.push_back(Activate{6});
    return script;
}

Script firstSheetActiveByDefault()
{
    return {AddSheet{"One"}, AddSheet{"Two"}, Text{1, 0, 0, "two"}};
}

// Several mebibytes of rows: pieces go to the second thread, and the head, known only at the
// end (widths set last, as AutoFit does), is written into the room left in front.
Script largeSheet()
{
    Script script{AddFormat{"yyyy-mm-dd"}, AddSheet{"Large"}, AddSheet{"After"}};
    std::mt19937 random(7);
    for (int row = 0; row < 60'000; ++row) {
        script.push_back(Number{0, row, 0, double(row)});
        script.push_back(Text{0, row, 1, "name " + std::to_string(random() % 100'000)});
        script.push_back(Number{0, row, 2, double(random() % 1'000'000) / 100});
        script.push_back(
            When{0, row, 3, {1930 + int(random() % 80), 1, 1 + int(random() % 28)}, 1});
        script.push_back(Boolean{0, row, 4, random() % 2 == 0});
    }
    for (int column = 0; column < 5; ++column)
        script.push_back(Width{0, column, 11.0 + column});
    script.push_back(Activate{0});
    script.push_back(Text{1, 0, 0, "the next sheet"});
    return script;
}

// A first piece of one column, then rows of 3,000 columns with widths: the head outgrows the
// room left for it and the rows are moved.
Script headOutgrowsItsRoom()
{
    Script script{AddSheet{"Wide"}};
    for (int row = 0; row < 40'000; ++row)
        script.push_back(Text{0, row, 0, "narrow row " + std::to_string(row)});
    for (int column = 0; column < 3000; ++column) {
        script.push_back(Number{0, 40'000, column, double(column)});
        script.push_back(Width{0, column, 5.0 + (column % 200)});
    }
    return script;
}

// The first sheet, active by default, is complete when the second takes cells; then the second
// is made active, and the first sheet's front is written again without its selection.
Script selectionChangesAfterASheetIsComplete()
{
    Script script{AddSheet{"First"}, AddSheet{"Second"}};
    for (int row = 0; row < 30'000; ++row)
        script.push_back(Number{0, row, 0, row * 1.5});
    script.push_back(Text{1, 0, 0, "second"});
    script.push_back(Activate{1});
    return script;
}

class FidelityTest : public ::testing::TestWithParam<FidelityCase>
{
};

TEST_P(FidelityTest, PartsEqualThoseOfLibxlsxwriter)
{
    testsupport::TempDir dir;
    const Script script = GetParam().script();
    writeReference(script, dir.path() / "reference.xlsx");
    writeOurs(script, dir.path() / "ours.xlsx");
    EXPECT_EQ(packageDifferences(dir.path() / "reference.xlsx", dir.path() / "ours.xlsx",
                                 GetParam().differences),
              "");
}

INSTANTIATE_TEST_SUITE_P(
    Content, FidelityTest,
    ::testing::Values(FidelityCase{"strings_escapes_and_spaces",
                                   strings,
                                   {{"<t>carriage_x000D_return_x000D_</t>",
                                     "<t xml:space=\"preserve\">carriage&#13;return&#13;</t>"},
                                    {"CR LF_x000D_\nmemo", "CR LF&#13;\nmemo"}}},
                      FidelityCase{"numbers_as_printf_writes_them", numbers},
                      FidelityCase{"exact_numbers_keep_17_digits",
                                   exactNumbers,
                                   {{"<v>0.3</v>", "<v>0.30000000000000004</v>"}}},
                      FidelityCase{"dates_styles_blanks_booleans", datesAndStyles},
                      FidelityCase{"declared_decimals_share_their_formats", declaredDecimals},
                      FidelityCase{"cells_out_of_column_order_and_written_twice", rowsOutOfOrder},
                      FidelityCase{"column_widths", columnWidths},
                      FidelityCase{"many_sheets_names_with_xml_specials", manySheets},
                      FidelityCase{"first_sheet_active_by_default", firstSheetActiveByDefault},
                      FidelityCase{"large_sheet_in_pieces_head_written_last", largeSheet},
                      FidelityCase{"head_outgrows_its_room", headOutgrowsItsRoom},
                      FidelityCase{"selection_changes_after_a_sheet_is_complete",
                                   selectionChangesAfterASheetIsComplete}),
    [](const auto& c) { return std::string(c.param.name); });

}  // namespace
