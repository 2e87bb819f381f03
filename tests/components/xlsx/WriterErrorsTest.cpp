// What the writer refuses, and what a full disk does: a refused call writes nothing and the
// workbook goes on (its package then equals libxlsxwriter's without that call); a failed write
// to the file loses the workbook, with a message naming the file and the reason.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

#include "components/xlsx/WorkbookWriter.h"
#include "components/xlsx/XlsxError.h"
#include "tests/components/xlsx/CellScript.h"
#include "tests/support/TempDir.h"
#include "tests/support/WritableFile.h"

namespace {

using namespace xlsxtest;

// The error text a call throws, or "" when it does not throw.
std::string thrown(const std::function<void()>& call)
{
    try {
        call();
    } catch (const xlsx::XlsxError& error) {
        return error.what();
    }
    return "";
}

const std::string kOutside =
    " is outside the sheet \"S\": a sheet holds rows 1 to 1,048,576 and columns 1 to 16,384.";

struct RefusalCase
{
    const char* name;
    std::function<void(xlsx::WorkbookWriter&, xlsx::SheetWriter&)> call;
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* out)
{
    *out << c.name;
}

class RefusalTest : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(RefusalTest, ThrowsAndWritesNothing)
{
    testsupport::TempDir dir;
    const Script before{AddSheet{"S"}, Text{0, 1, 0, "before"}};
    Script whole = before;
    whole.push_back(Text{0, 2, 1, "after"});
    writeReference(whole, dir.path() / "reference.xlsx");
    {
        const testsupport::WritableFile out(dir.path() / "ours.xlsx");
        xlsx::WorkbookWriter book(out.descriptor(), "ours.xlsx");
        xlsx::SheetWriter& sheet = book.addSheet("S");
        sheet.writeString(1, 0, "before");
        EXPECT_EQ(thrown([&] { GetParam().call(book, sheet); }), GetParam().message);
        EXPECT_FALSE(book.isLost());
        sheet.writeString(2, 1, "after");
        book.close();
    }
    EXPECT_EQ(packageDifferences(dir.path() / "reference.xlsx", dir.path() / "ours.xlsx"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RefusalTest,
    ::testing::Values(
        RefusalCase{"row_past_the_last", [](auto&, auto& s) { s.writeNumber(1'048'576, 0, 1); },
                    "Row 1048577, column 1" + kOutside},
        RefusalCase{"column_past_xfd", [](auto&, auto& s) { s.writeString(1, 16'384, "x"); },
                    "Row 2, column 16385" + kOutside},
        RefusalCase{"negative_row", [](auto&, auto& s) { s.writeBoolean(-1, 0, true); },
                    "Row 0, column 1" + kOutside},
        RefusalCase{"row_above_one_written", [](auto&, auto& s) { s.writeString(0, 0, "x"); },
                    "Row 1 of the sheet \"S\" cannot be written after row 2: rows are written "
                    "from top to bottom."},
        RefusalCase{"not_a_number", [](auto&, auto& s) { s.writeNumber(1, 1, std::nan("")); },
                    "The number for the cell B2 of the sheet \"S\" is infinite or not a number, "
                    "which a cell cannot hold."},
        RefusalCase{"infinite", [](auto&, auto& s) { s.writeNumber(1, 1, -INFINITY); },
                    "The number for the cell B2 of the sheet \"S\" is infinite or not a number, "
                    "which a cell cannot hold."},
        RefusalCase{"text_not_utf8", [](auto&, auto& s) { s.writeString(1, 1, "caf\xE9"); },
                    "The text for the cell B2 of the sheet \"S\" is not valid UTF-8 (or holds "
                    "U+FFFE or U+FFFF)."},
        RefusalCase{"text_with_a_noncharacter",
                    [](auto&, auto& s) { s.writeString(1, 1, "a\xEF\xBF\xBF"); },
                    "The text for the cell B2 of the sheet \"S\" is not valid UTF-8 (or holds "
                    "U+FFFE or U+FFFF)."},
        RefusalCase{"text_one_past_the_longest",
                    [](auto&, auto& s) { s.writeString(1, 1, std::string(32'768, 'a')); },
                    "The text for the cell B2 of the sheet \"S\" has 32768 characters; a cell "
                    "holds at most 32767."},
        RefusalCase{"text_counted_in_characters_not_bytes",
                    [](auto&, auto& s) {
                        std::string text;
                        for (int i = 0; i < 32'768; ++i)
                            text += "\xC3\xA9";
                        s.writeString(1, 1, text);
                    },
                    "The text for the cell B2 of the sheet \"S\" has 32768 characters; a cell "
                    "holds at most 32767."},
        RefusalCase{"date_not_a_day",
                    [](auto& b, auto& s) {
                        s.writeDateTime(1, 1, {2023, 2, 29}, b.addNumberFormat("yyyy-mm-dd"));
                    },
                    "The date for the cell B2 of the sheet \"S\" is not a day of the years 1900 "
                    "to 9999 with a time of day."},
        RefusalCase{"date_before_1900",
                    [](auto& b, auto& s) {
                        s.writeDateTime(1, 1, {1899, 12, 31}, b.addNumberFormat("yyyy-mm-dd"));
                    },
                    "The date for the cell B2 of the sheet \"S\" is not a day of the years 1900 "
                    "to 9999 with a time of day."},
        RefusalCase{"width_past_255", [](auto&, auto& s) { s.setColumnWidth(0, 256); },
                    "Column 1 of the sheet \"S\" cannot be 256 characters wide: widths go "
                    "from 0 to 255, columns from 1 to 16,384."},
        RefusalCase{"width_not_a_number", [](auto&, auto& s) { s.setColumnWidth(3, std::nan("")); },
                    "Column 4 of the sheet \"S\" cannot be nan characters wide: widths go from 0 "
                    "to 255, columns from 1 to 16,384."},
        RefusalCase{"sheet_name_empty", [](auto& b, auto&) { b.addSheet(""); },
                    "The sheet name \"\" cannot be used: a sheet name has 1 to 31 characters of "
                    "UTF-8 text, without control characters, any of [ ] : * ? / \\, or an "
                    "apostrophe first or last."},
        RefusalCase{"sheet_name_of_32_characters",
                    [](auto& b, auto&) { b.addSheet(std::string(32, 'n')); },
                    "The sheet name \"" + std::string(32, 'n') +
                        "\" cannot be used: a sheet name has 1 to 31 characters of UTF-8 text, "
                        "without control characters, any of [ ] : * ? / \\, or an apostrophe "
                        "first or last."},
        RefusalCase{"sheet_name_with_a_bracket", [](auto& b, auto&) { b.addSheet("a[b"); },
                    "The sheet name \"a[b\" cannot be used: a sheet name has 1 to 31 characters "
                    "of UTF-8 text, without control characters, any of [ ] : * ? / \\, or an "
                    "apostrophe first or last."},
        RefusalCase{"sheet_name_with_a_tab", [](auto& b, auto&) { b.addSheet("a\tb"); },
                    "The sheet name \"a\tb\" cannot be used: a sheet name has 1 to 31 characters "
                    "of UTF-8 text, without control characters, any of [ ] : * ? / \\, or an "
                    "apostrophe first or last."},
        RefusalCase{"sheet_name_apostrophe_last", [](auto& b, auto&) { b.addSheet("x'"); },
                    "The sheet name \"x'\" cannot be used: a sheet name has 1 to 31 characters "
                    "of UTF-8 text, without control characters, any of [ ] : * ? / \\, or an "
                    "apostrophe first or last."},
        RefusalCase{"sheet_name_taken_in_other_case", [](auto& b, auto&) { b.addSheet("s"); },
                    "The sheet name \"s\" is already taken (ignoring case)."}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(SheetComplete, TakesNoMoreCellsNorWidths)
{
    testsupport::TempDir dir;
    const testsupport::WritableFile out(dir.path() / "book.xlsx");
    xlsx::WorkbookWriter book(out.descriptor(), "book.xlsx");
    xlsx::SheetWriter& first = book.addSheet("First");
    xlsx::SheetWriter& second = book.addSheet("Second");
    first.writeString(0, 0, "one");
    EXPECT_FALSE(first.isComplete());
    second.writeString(0, 0, "two");
    EXPECT_TRUE(first.isComplete());
    const std::string complete =
        "The sheet \"First\" is complete: another sheet took cells after it. Write each sheet's "
        "cells and column widths before the next sheet's.";
    EXPECT_EQ(thrown([&] { first.writeString(1, 0, "late"); }), complete);
    EXPECT_EQ(thrown([&] { first.setColumnWidth(0, 10); }), complete);
    book.close();
    EXPECT_EQ(thrown([&] { book.addSheet("Third"); }),
              "The workbook is complete and takes no more changes.");
}

// /dev/full refuses every write with ENOSPC, as a full disk does.
class FullDiskTest : public ::testing::Test
{
protected:
    ~FullDiskTest() override { ::close(mDescriptor); }
    int mDescriptor = ::open("/dev/full", O_RDWR | O_CLOEXEC);
    const std::string mLost =
        "The workbook /data/orders.xlsx could not be written: No space left on device. Free some "
        "space on that disk, or write the workbook to another one.";
};

TEST_F(FullDiskTest, LargeSheetLosesTheWorkbookWhileRowsAreWritten)
{
    ASSERT_GE(mDescriptor, 0);
    xlsx::WorkbookWriter book(mDescriptor, "/data/orders.xlsx");
    xlsx::SheetWriter& sheet = book.addSheet("Orders");
    std::string failure;
    for (int row = 0; row < 200'000 && failure.empty(); ++row) {
        failure = thrown([&] {
            sheet.writeString(row, 0,
                              "a row long enough to fill pieces quickly " + std::to_string(row));
        });
    }
    EXPECT_EQ(failure, mLost);
    EXPECT_TRUE(book.isLost());
    EXPECT_EQ(thrown([&] { sheet.writeNumber(300'000, 0, 1); }), mLost);
    EXPECT_EQ(thrown([&] { book.addSheet("More"); }), mLost);
    EXPECT_EQ(thrown([&] { book.close(); }), mLost);
}

TEST_F(FullDiskTest, SmallWorkbookFailsToClose)
{
    ASSERT_GE(mDescriptor, 0);
    xlsx::WorkbookWriter book(mDescriptor, "/data/orders.xlsx");
    book.addSheet("Orders").writeString(0, 0, "one cell");
    EXPECT_EQ(thrown([&] { book.close(); }), mLost);
    EXPECT_TRUE(book.isLost());
}

}  // namespace
