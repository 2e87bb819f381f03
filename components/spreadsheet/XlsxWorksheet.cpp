// Writing cells: check the position first, then store the text as the value it stands for.
#include "components/spreadsheet/XlsxWorksheet.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include <xlsxwriter.h>

#include "components/spreadsheet/CellValue.h"
#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/spreadsheet/XlsxWorkbook.h"

namespace spreadsheet {

namespace {

constexpr std::size_t kNumberTextCapacity = 32;  // the shortest text of any double fits
constexpr int kDateWidth = 10;                   // yyyy-mm-dd
constexpr int kDateTimeWidth = 19;               // yyyy-mm-dd hh:mm:ss
constexpr int kTrueWidth = 4;                    // TRUE
constexpr int kFalseWidth = 5;                   // FALSE

lxw_row_t lxwRow(int row)
{
    return static_cast<lxw_row_t>(row - 1);  // checked to lie in 1..kMaxRows
}

lxw_col_t lxwColumn(int column)
{
    return static_cast<lxw_col_t>(column - 1);  // checked to lie in 1..kMaxColumns
}

// "YYYY-MM-DD" or "YYYY-MM-DD hh:mm:ss", as a date is shown.
std::string isoText(const CellDate& date)
{
    std::array<char, 48> text{};
    if (date.hasTime)
        std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d:%02d", date.year,
                      date.month, date.day, date.hour, date.minute, date.second);
    else
        std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", date.year, date.month, date.day);
    return text.data();
}

}  // namespace

XlsxWorksheet::XlsxWorksheet(XlsxWorkbook& workbook, std::string name)
    : mWorkbook(workbook), mName(std::move(name)), mNameKey(sheetNameKey(mName))
{}

std::string XlsxWorksheet::name() const
{
    checkAlive();
    return mName;
}

void XlsxWorksheet::setName(std::string_view name)
{
    checkWritable();
    checkSheetName(name);
    const QString key = sheetNameKey(name);
    mWorkbook.checkNameFree(key, name, *this);
    if (name == mName)
        return;
    if (mStream)
        throw SpreadsheetError(messages::sheetRenameAfterCells(mName, name));
    mName = name;
    mNameKey = key;
}

lxw_worksheet* XlsxWorksheet::cellStream(int row, int column)
{
    checkWritable();
    if (row < 1 || row > kMaxRows)
        throw SpreadsheetError(messages::rowOutOfRange(mName, row));
    if (column < 1 || column > kMaxColumns)
        throw SpreadsheetError(messages::columnOutOfRange(mName, column));
    // libxlsxwriter streams rows: a row above the last one written would be dropped silently.
    if (row < mLastRow)
        throw SpreadsheetError(messages::rowBeforeWritten(mName, row, mLastRow));
    return mStream ? mStream : mWorkbook.startStreaming(*this);
}

void XlsxWorksheet::written(int row, int column, int result, int width)
{
    if (result != LXW_NO_ERROR)
        throw SpreadsheetError(messages::writerFailed("writing row " + std::to_string(row) +
                                                          ", column " + std::to_string(column) +
                                                          " of the sheet \"" + mName + "\"",
                                                      result));
    mLastRow = row;
    mWidths.note(column - 1, width);
}

bool XlsxWorksheet::writeText(int row, int column, std::string_view text)
{
    lxw_worksheet* sheet = cellStream(row, column);
    if (text.empty())
        return false;
    const CellText::Prepared prepared = mText.prepare(text);
    written(row, column,
            worksheet_write_string(sheet, lxwRow(row), lxwColumn(column), prepared.text, nullptr),
            prepared.width);
    mCutCells += prepared.cut ? 1 : 0;
    return prepared.cut;
}

void XlsxWorksheet::writeNumber(int row, int column, double value)
{
    std::array<char, kNumberTextCapacity> shown{};
    const auto end = std::to_chars(shown.data(), shown.data() + shown.size(), value).ptr;
    const std::string_view text(shown.data(), static_cast<std::size_t>(end - shown.data()));
    if (!std::isfinite(value)) {
        writeText(row, column, text);
        return;
    }
    lxw_worksheet* sheet = cellStream(row, column);
    written(row, column,
            worksheet_write_number(sheet, lxwRow(row), lxwColumn(column), value == 0 ? 0.0 : value,
                                   nullptr),
            static_cast<int>(text.size()));
}

void XlsxWorksheet::writeDecimal(int row, int column, std::string_view digits)
{
    const std::optional<double> value = exactDecimal(digits);
    if (!value) {
        writeText(row, column, digits);
        return;
    }
    lxw_worksheet* sheet = cellStream(row, column);
    written(row, column,
            worksheet_write_number(sheet, lxwRow(row), lxwColumn(column), *value, nullptr),
            static_cast<int>(digits.size()));
}

void XlsxWorksheet::writeBoolean(int row, int column, bool value)
{
    lxw_worksheet* sheet = cellStream(row, column);
    written(row, column,
            worksheet_write_boolean(sheet, lxwRow(row), lxwColumn(column), value, nullptr),
            value ? kTrueWidth : kFalseWidth);
}

void XlsxWorksheet::writeDate(int row, int column, const CellDate& date)
{
    if (!isSpreadsheetDate(date)) {
        writeText(row, column, isoText(date));
        return;
    }
    lxw_worksheet* sheet = cellStream(row, column);
    written(row, column,
            worksheet_write_number(sheet, lxwRow(row), lxwColumn(column), dateSerial(date),
                                   mWorkbook.dateFormat(date.hasTime)),
            date.hasTime ? kDateTimeWidth : kDateWidth);
}

int XlsxWorksheet::cutCells() const
{
    checkAlive();
    return mCutCells;
}

void XlsxWorksheet::ColumnsAutoFit()
{
    checkWritable();
    mFitted = mWidths.widest();
}

void XlsxWorksheet::Delete()
{
    checkWritable();
    mWorkbook.deleteSheet(*this);
}

void XlsxWorksheet::checkAlive() const
{
    if (mDeleted)
        throw SpreadsheetError(messages::sheetDeleted());
}

void XlsxWorksheet::checkWritable() const
{
    checkAlive();
    mWorkbook.checkWritable();
}

}  // namespace spreadsheet
