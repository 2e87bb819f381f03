// Workbook structure read back from the file: sheet names and tab order, default names, the
// active sheet, deletes, renames, position limits and fitted column widths.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "components/spreadsheet/ColumnWidths.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/XlsxWorkbook.h"
#include "tests/support/TempDir.h"
#include "tests/support/WritableFile.h"
#include "tests/support/XlsxReader.h"

namespace {

using spreadsheet::SpreadsheetError;
using spreadsheet::Worksheet;
using testsupport::readXlsx;
using Names = std::vector<std::string>;

// The error text a call throws, or "" when it does not throw.
template <typename Call>
std::string thrown(Call call)
{
    try {
        call();
    } catch (const SpreadsheetError& error) {
        return error.what();
    }
    return "";
}

class WorkbookTest : public ::testing::Test
{
protected:
    testsupport::ReadWorkbook finish()
    {
        book->close();
        return readXlsx(file);
    }

    Names sheetNames()
    {
        Names names;
        for (int i = 1; i <= book->WorksheetsCount(); ++i)
            names.push_back(book->Worksheets(i).name());
        return names;
    }

    testsupport::TempDir dir;
    std::filesystem::path file = dir.path() / "book.xlsx";
    testsupport::WritableFile out{file};
    std::unique_ptr<spreadsheet::XlsxWorkbook> book =
        std::make_unique<spreadsheet::XlsxWorkbook>(out.descriptor(), file.string());
};

TEST_F(WorkbookTest, NewWorkbookHasOneActiveSheetCalledSheet1)
{
    ASSERT_EQ(book->WorksheetsCount(), 1);
    EXPECT_EQ(&book->ActiveSheet(), &book->Worksheets(1));
    const auto read = finish();
    EXPECT_EQ(read.names(), Names{"Sheet1"});
    EXPECT_EQ(read.active, "Sheet1");
}

TEST_F(WorkbookTest, AddedSheetsGoLastAndTheLastAddedIsActiveAndAloneSelected)
{
    book->ActiveSheet().setName("Customers");
    book->ActiveSheet().writeText(1, 1, "ID");
    for (const char* table : {"Orders", "Items"}) {
        Worksheet& sheet = book->WorksheetsAdd();
        EXPECT_EQ(&book->ActiveSheet(), &sheet);
        sheet.setName(table);
        sheet.writeText(1, 1, table);
    }
    const auto read = finish();
    EXPECT_EQ(read.names(), (Names{"Customers", "Orders", "Items"}));
    EXPECT_EQ(read.active, "Items");
    EXPECT_EQ(read.sheets[0].selected, false);
    EXPECT_EQ(read.sheets[1].selected, false);
    EXPECT_EQ(read.sheets[2].selected, true);
    EXPECT_EQ(read.sheets[1].cell("A1").value(QStringLiteral("value")).toString(),
              QStringLiteral("Orders"));
}

TEST_F(WorkbookTest, DefaultNamesTakeTheNextUnusedNumber)
{
    book->WorksheetsAdd();
    book->WorksheetsAdd().Delete();  // Sheet3 deleted: its number is not given again
    EXPECT_EQ(book->WorksheetsAdd().name(), "Sheet4");
    book->Worksheets(1).setName("sheet5");  // taken ignoring case: skipped
    EXPECT_EQ(book->WorksheetsAdd().name(), "Sheet6");
    EXPECT_EQ(sheetNames(), (Names{"sheet5", "Sheet2", "Sheet4", "Sheet6"}));
    EXPECT_EQ(finish().names(), (Names{"sheet5", "Sheet2", "Sheet4", "Sheet6"}));
}

TEST_F(WorkbookTest, DeletingTheActiveSheetActivatesTheOneBefore)
{
    book->WorksheetsAdd();
    Worksheet& third = book->WorksheetsAdd();
    third.Delete();
    EXPECT_EQ(book->WorksheetsCount(), 2);
    EXPECT_EQ(book->ActiveSheet().name(), "Sheet2");
    book->Worksheets(2).Delete();
    EXPECT_EQ(&book->ActiveSheet(), &book->Worksheets(1));
    EXPECT_EQ(finish().active, "Sheet1");
}

TEST_F(WorkbookTest, RefusedDeletesLeaveTheSheets)
{
    Worksheet& first = book->Worksheets(1);
    EXPECT_EQ(thrown([&] { first.Delete(); }),
              "The sheet \"Sheet1\" cannot be deleted: a workbook keeps at least one sheet.");
    Worksheet& second = book->WorksheetsAdd();
    second.writeText(1, 1, "x");
    const std::string written =
        " cannot be deleted: the file already holds its cells or a later sheet's.";
    EXPECT_EQ(thrown([&] { second.Delete(); }), "The sheet \"Sheet2\"" + written);
    EXPECT_EQ(thrown([&] { first.Delete(); }), "The sheet \"Sheet1\"" + written);
    EXPECT_EQ(sheetNames(), (Names{"Sheet1", "Sheet2"}));
    EXPECT_EQ(thrown([&] { book->Worksheets(3); }),
              "There is no sheet 3: the workbook has sheets 1 to 2.");
    EXPECT_EQ(thrown([&] { book->Worksheets(0); }),
              "There is no sheet 0: the workbook has sheets 1 to 2.");
}

TEST_F(WorkbookTest, DeletedSheetRefusesEveryCall)
{
    Worksheet& gone = book->WorksheetsAdd();
    gone.Delete();
    const std::string deleted =
        "This sheet was deleted from its workbook and can no longer be used.";
    EXPECT_EQ(thrown([&] { gone.name(); }), deleted);
    EXPECT_EQ(thrown([&] { gone.writeText(1, 1, "x"); }), deleted);
    EXPECT_EQ(thrown([&] { gone.Delete(); }), deleted);
    EXPECT_EQ(finish().names(), Names{"Sheet1"});
}

TEST_F(WorkbookTest, RefusedRenameKeepsTheName)
{
    book->Worksheets(1).setName("Caf\xC3\xA9");
    Worksheet& second = book->WorksheetsAdd();
    EXPECT_EQ(thrown([&] { second.setName("CAF\xC3\x89"); }),
              "The sheet name \"CAF\xC3\x89\" is already taken by the sheet \"Caf\xC3\xA9\" (sheet "
              "names are "
              "compared ignoring case).");
    EXPECT_NE(thrown([&] { second.setName("a/b"); }), "");
    EXPECT_EQ(second.name(), "Sheet2");
    book->Worksheets(1).setName("CAF\xC3\x89");  // its own name in other case: allowed
    EXPECT_EQ(finish().names(), (Names{"CAF\xC3\x89", "Sheet2"}));
}

TEST_F(WorkbookTest, NameIsFixedOnceCellsAreWritten)
{
    Worksheet& sheet = book->ActiveSheet();
    sheet.setName("Orders");
    sheet.writeText(1, 1, "x");
    sheet.setName("Orders");  // unchanged: fine
    EXPECT_EQ(thrown([&] { sheet.setName("Items"); }),
              "The sheet \"Orders\" cannot be renamed to \"Items\": the file already holds its "
              "cells or a later "
              "sheet's. Name a sheet before writing cells.");
    EXPECT_EQ(finish().names(), Names{"Orders"});
}

TEST_F(WorkbookTest, TabOrderHoldsWhenALaterSheetIsWrittenFirst)
{
    Worksheet& first = book->ActiveSheet();
    first.setName("First");
    Worksheet& second = book->WorksheetsAdd();
    second.setName("Second");
    second.writeText(1, 1, "two");
    first.writeText(1, 1, "one");
    const auto read = finish();
    ASSERT_EQ(read.names(), (Names{"First", "Second"}));
    EXPECT_EQ(read.sheets[0].cell("A1").value(QStringLiteral("value")).toString(),
              QStringLiteral("one"));
    EXPECT_EQ(read.sheets[1].cell("A1").value(QStringLiteral("value")).toString(),
              QStringLiteral("two"));
}

TEST_F(WorkbookTest, SheetIsCompleteOnceAnotherSheetTookCells)
{
    Worksheet& first = book->ActiveSheet();
    first.writeText(1, 1, "one");
    Worksheet& second = book->WorksheetsAdd();
    first.writeText(2, 1, "still the first");  // the second has no cells yet
    second.writeText(1, 1, "two");
    const std::string complete =
        "The sheet \"Sheet1\" is complete: another sheet took cells after it. Write each sheet's "
        "cells and column widths before the next sheet's.";
    EXPECT_EQ(thrown([&] { first.writeText(3, 1, "late"); }), complete);
    EXPECT_EQ(thrown([&] { first.ColumnsAutoFit(); }), complete);
    second.ColumnsAutoFit();
    const auto read = finish();
    EXPECT_EQ(read.sheets[0].cells.keys(),
              (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    EXPECT_TRUE(read.sheets[0].widths.empty());
    EXPECT_FALSE(read.sheets[1].widths.empty());
}

struct PositionCase
{
    const char* name;
    int row;
    int column;
    std::string error;
};

void PrintTo(const PositionCase& c, std::ostream* out)
{
    *out << c.name;
}

class CellPositionTest : public WorkbookTest, public ::testing::WithParamInterface<PositionCase>
{
};

TEST_P(CellPositionTest, OutsideTheSheetThrowsAndWritesNothing)
{
    Worksheet& sheet = book->ActiveSheet();
    sheet.writeText(5, 1, "before");
    EXPECT_EQ(thrown([&] { sheet.writeText(GetParam().row, GetParam().column, "x"); }),
              GetParam().error);
    const auto read = finish();
    ASSERT_EQ(read.sheets.size(), 1u);
    EXPECT_EQ(read.sheets[0].cells.keys(), QStringList{QStringLiteral("A5")});
}

INSTANTIATE_TEST_SUITE_P(
    Limits, CellPositionTest,
    ::testing::Values(
        PositionCase{"row_zero", 0, 1,
                     "Row 0 does not fit on the sheet \"Sheet1\": a sheet holds rows 1 to "
                     "1,048,576. Continue on another sheet."},
        PositionCase{"row_past_last", 1'048'577, 1,
                     "Row 1048577 does not fit on the sheet \"Sheet1\": a sheet holds rows 1 to "
                     "1,048,576. Continue on another sheet."},
        PositionCase{
            "column_zero", 5, 0,
            "Column 0 does not fit on the sheet \"Sheet1\": a sheet holds columns 1 to 16,384."},
        PositionCase{"column_past_xfd", 5, 16'385,
                     "Column 16385 does not fit on the sheet \"Sheet1\": a sheet holds columns 1 "
                     "to 16,384."},
        PositionCase{"column_wrapping_to_a_when_narrowed", 5, 65'537,
                     "Column 65537 does not fit on the sheet \"Sheet1\": a sheet holds columns 1 "
                     "to 16,384."},
        PositionCase{"row_above_written_rows", 4, 1,
                     "Row 4 of the sheet \"Sheet1\" cannot be written after row 5: rows are "
                     "written from top to bottom."}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(WorkbookTest, LastRowAndColumnAreWritten)
{
    Worksheet& sheet = book->ActiveSheet();
    sheet.writeText(1, 1, "first");
    sheet.writeText(spreadsheet::kMaxRows, spreadsheet::kMaxColumns, "last");
    const auto read = finish();
    EXPECT_EQ(read.sheets[0].cell("XFD1048576").value(QStringLiteral("value")).toString(),
              QStringLiteral("last"));
}

TEST_F(WorkbookTest, FinishedWorkbookTakesNoMoreChanges)
{
    Worksheet& sheet = book->ActiveSheet();
    book->close();
    const std::string handedOver =
        "The workbook was already handed to the spreadsheet program and takes no more changes.";
    EXPECT_EQ(thrown([&] { sheet.writeText(1, 1, "x"); }), handedOver);
    EXPECT_EQ(thrown([&] { book->WorksheetsAdd(); }), handedOver);
    EXPECT_EQ(thrown([&] { book->close(); }), handedOver);
}

// Widths are the widest content in characters plus a margin; libxlsxwriter then adds its
// padding of 0.7109375 (5 pixels at 7 pixels per character).
double shownWidth(int characters)
{
    return spreadsheet::ColumnWidths::fittedWidth(characters) + 0.7109375;
}

TEST_F(WorkbookTest, AutoFitGivesEachWrittenColumnItsWidestContent)
{
    Worksheet& fitted = book->ActiveSheet();
    const char* header[] = {"Name", "Amount", "Born", "Notes", "", "Wide", "Pay", "Rate", "Odd"};
    for (int column = 1; column <= 9; ++column)
        fitted.writeText(1, column, header[column - 1]);
    fitted.setNumberDecimals(7, 2);
    fitted.setNumberDecimals(8, 4);
    fitted.setNumberDecimals(9, 1);
    fitted.writeText(2, 1, "Alexander");
    fitted.writeDecimal(2, 2, "-1234567.50");
    fitted.writeDate(2, 3, {2024, 1, 31, 10, 0, 0, true});
    fitted.writeText(2, 4, std::string(300, 'n'));
    fitted.writeText(2, 6, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");  // 3 wide characters
    // Numbers count the decimals they show: "47.90", "2.5000", and "10.0" for 9.96 rounded.
    fitted.writeDecimal(2, 7, "47.9");
    fitted.writeNumber(2, 8, 2.5);
    fitted.writeDecimal(2, 9, "9.96");
    fitted.ColumnsAutoFit();
    fitted.writeText(3, 1, "Written after the fit: no effect");
    Worksheet& unfitted = book->WorksheetsAdd();
    unfitted.writeText(1, 1, "A long header nobody fitted");

    const auto read = finish();
    const auto& widths = read.sheets[0].widths;
    EXPECT_NEAR(widths.at("A"), shownWidth(9), 0.01);
    EXPECT_NEAR(widths.at("B"), shownWidth(11), 0.01);
    EXPECT_NEAR(widths.at("C"), shownWidth(19), 0.01);
    EXPECT_NEAR(widths.at("D"), 254.7109375, 0.01);  // capped: wider garbles in libxlsxwriter
    EXPECT_EQ(widths.count("E"), 0u);
    EXPECT_NEAR(widths.at("F"), shownWidth(6), 0.01);
    EXPECT_NEAR(widths.at("G"), shownWidth(5), 0.01);
    EXPECT_NEAR(widths.at("H"), shownWidth(6), 0.01);
    EXPECT_NEAR(widths.at("I"), shownWidth(4), 0.01);
    EXPECT_TRUE(read.sheets[1].widths.empty());
}

// A sheet nobody fits keeps the default widths, but numbers with decimals and dates are never
// shortened as General numbers are: where they do not fit, the column gets the width they need,
// or the spreadsheet program shows "###" for them.
struct UnfittedWidthCase
{
    const char* name;
    std::string header;
    std::function<void(Worksheet&)> cells;  // below the header in column A
    std::optional<int> characters;          // the width given; nullopt: the default one
};

void PrintTo(const UnfittedWidthCase& c, std::ostream* out)
{
    *out << c.name;
}

class UnfittedWidthTest : public WorkbookTest,
                          public ::testing::WithParamInterface<UnfittedWidthCase>
{
};

// Cells writing decimal `texts` into column A from row 2, shown with `decimals`.
std::function<void(Worksheet&)> decimals(int decimals, std::vector<std::string> texts)
{
    return [=](Worksheet& sheet) {
        sheet.setNumberDecimals(1, decimals);
        for (std::size_t i = 0; i < texts.size(); ++i)
            sheet.writeDecimal(static_cast<int>(i) + 2, 1, texts[i]);
    };
}

TEST_P(UnfittedWidthTest, NumbersWithDecimalsAndDatesGetTheWidthTheyNeed)
{
    const UnfittedWidthCase& c = GetParam();
    Worksheet& sheet = book->ActiveSheet();
    sheet.writeText(1, 1, c.header);
    c.cells(sheet);
    book->WorksheetsAdd().writeText(1, 1, "the active sheet, complete the first");

    const auto read = finish();
    const auto& widths = read.sheets.at(0).widths;
    if (c.characters) {
        ASSERT_EQ(widths.count("A"), 1u);
        EXPECT_NEAR(widths.at("A"), shownWidth(*c.characters), 0.01);
    } else {
        EXPECT_EQ(widths.count("A"), 0u) << "width " << widths.at("A");
    }
    EXPECT_EQ(widths.count("B"), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultWidths, UnfittedWidthTest,
    ::testing::Values(
        UnfittedWidthCase{"wide_decimals_widened", "Limit", decimals(4, {"25000"}), 10},
        UnfittedWidthCase{"widest_number_not_the_last", "Limit",
                          decimals(2, {"5", "-1234567.5", "12"}), 11},
        UnfittedWidthCase{"double_widened_with_the_carry_of_rounding", "Limit",
                          [](Worksheet& sheet) {
                              sheet.setNumberDecimals(1, 2);
                              sheet.writeNumber(2, 1, 9999999.996);  // 10000000.00
                          },
                          11},
        UnfittedWidthCase{"dates_widened", "Since",
                          [](Worksheet& sheet) {
                              sheet.writeDate(2, 1, spreadsheet::CellDate{2024, 1, 31});
                          },
                          10},
        UnfittedWidthCase{
            "date_times_widened_past_the_dates_before", "Stamp",
            [](Worksheet& sheet) {
                sheet.writeDate(2, 1, spreadsheet::CellDate{2024, 1, 31});
                sheet.writeDate(3, 1, spreadsheet::CellDate{2024, 1, 31, 23, 59, 58, true});
                sheet.writeDate(4, 1, spreadsheet::CellDate{2024, 2, 1});
            },
            19},
        UnfittedWidthCase{"narrow_decimals_keep_the_default", "Limit",
                          decimals(2, {"47.9", "-234.5"}), std::nullopt},
        UnfittedWidthCase{"general_numbers_keep_the_default", "Limit",
                          decimals(0, {"1234567890.25"}), std::nullopt},
        UnfittedWidthCase{
            "text_keeps_the_default", "Limit",
            [](Worksheet& sheet) { sheet.writeText(2, 1, "A text far wider than the column"); },
            std::nullopt},
        UnfittedWidthCase{"fitted_sheet_keeps_its_fit_after_more_numbers",
                          "A header wider than the numbers",
                          [](Worksheet& sheet) {
                              decimals(4, {"25000"})(sheet);
                              sheet.ColumnsAutoFit();
                              sheet.writeDecimal(3, 1, "123456789");  // narrower than the fit
                          },
                          31}),
    [](const auto& c) { return std::string(c.param.name); });

}  // namespace
