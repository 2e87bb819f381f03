// Writing cells: check the position first, then store the text as the value it stands for.
#include "components/spreadsheet/XlsxWorksheet.h"

#include <xlsxwriter.h>

#include "components/spreadsheet/CellValue.h"
#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/spreadsheet/XlsxWorkbook.h"

namespace spreadsheet {

namespace {

constexpr int kDateWidth = 10;      // yyyy-mm-dd
constexpr int kDateTimeWidth = 19;  // yyyy-mm-dd hh:mm:ss
constexpr int kTrueWidth = 4;       // TRUE
constexpr int kFalseWidth = 5;      // FALSE

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

bool XlsxWorksheet::setCells(int row, int column, std::string_view text, CellKind kind)
{
    checkWritable();
    if (row < 1 || row > kMaxRows)
        throw SpreadsheetError(messages::rowOutOfRange(mName, row));
    if (column < 1 || column > kMaxColumns)
        throw SpreadsheetError(messages::columnOutOfRange(mName, column));
    // libxlsxwriter streams rows: a row above the last one written would be dropped silently.
    if (row < mLastRow)
        throw SpreadsheetError(messages::rowBeforeWritten(mName, row, mLastRow));
    if (text.empty())
        return false;

    lxw_worksheet* sheet = mStream ? mStream : mWorkbook.startStreaming(*this);
    const auto lxwRow = static_cast<lxw_row_t>(row - 1);
    const auto lxwColumn = static_cast<lxw_col_t>(column - 1);  // fits: checked above
    const CellValue value = cellValue(text, kind);
    lxw_error result = LXW_NO_ERROR;
    int width = 0;
    bool cut = false;
    if (const auto* number = std::get_if<double>(&value)) {
        result = worksheet_write_number(sheet, lxwRow, lxwColumn, *number, nullptr);
        width = static_cast<int>(text.size());
    } else if (const auto* date = std::get_if<DateTimeParts>(&value)) {
        lxw_datetime when{date->year, date->month,  date->day,
                          date->hour, date->minute, double(date->second)};
        result = worksheet_write_datetime(sheet, lxwRow, lxwColumn, &when,
                                          mWorkbook.dateFormat(date->hasTime));
        width = date->hasTime ? kDateTimeWidth : kDateWidth;
    } else if (const auto* boolean = std::get_if<bool>(&value)) {
        result = worksheet_write_boolean(sheet, lxwRow, lxwColumn, *boolean, nullptr);
        width = *boolean ? kTrueWidth : kFalseWidth;
    } else {
        const CellText::Prepared prepared = mText.prepare(text);
        result = worksheet_write_string(sheet, lxwRow, lxwColumn, prepared.text, nullptr);
        width = prepared.width;
        cut = prepared.cut;
    }
    if (result != LXW_NO_ERROR)
        throw SpreadsheetError(messages::writerFailed("writing row " + std::to_string(row) +
                                                          ", column " + std::to_string(column) +
                                                          " of the sheet \"" + mName + "\"",
                                                      result));
    mLastRow = row;
    mWidths.note(column - 1, width);
    mCutCells += cut ? 1 : 0;
    return cut;
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
