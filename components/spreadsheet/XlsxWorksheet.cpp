// Writing cells: check the position first, then store the text as the value it stands for.
#include "components/spreadsheet/XlsxWorksheet.h"

#include "components/spreadsheet/CellValue.h"
#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/spreadsheet/XlsxWorkbook.h"
#include "components/xlsx/SheetWriter.h"
#include "components/xlsx/XlsxError.h"

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
    // Rows are streamed: a row above the last one written cannot be written any more.
    if (row < mLastRow)
        throw SpreadsheetError(messages::rowBeforeWritten(mName, row, mLastRow));
    if (text.empty())
        return false;

    xlsx::SheetWriter& sheet = mStream ? *mStream : mWorkbook.startStreaming(*this);
    const int sheetRow = row - 1;
    const int sheetColumn = column - 1;
    const CellValue value = cellValue(text, kind);
    int width = 0;
    bool cut = false;
    try {
        if (const auto* number = std::get_if<double>(&value)) {
            sheet.writeNumber(sheetRow, sheetColumn, *number);
            width = static_cast<int>(text.size());
        } else if (const auto* date = std::get_if<DateTimeParts>(&value)) {
            const xlsx::DateTime when{date->year, date->month,  date->day,
                                      date->hour, date->minute, double(date->second)};
            sheet.writeDateTime(sheetRow, sheetColumn, when, mWorkbook.dateFormat(date->hasTime));
            width = date->hasTime ? kDateTimeWidth : kDateWidth;
        } else if (const auto* boolean = std::get_if<bool>(&value)) {
            sheet.writeBoolean(sheetRow, sheetColumn, *boolean);
            width = *boolean ? kTrueWidth : kFalseWidth;
        } else {
            const CellText::Prepared prepared = mText.prepare(text);
            sheet.writeString(sheetRow, sheetColumn, prepared.text);
            width = prepared.width;
            cut = prepared.cut;
        }
    } catch (const xlsx::XlsxError& error) {
        mWorkbook.failed(error);
    }
    mLastRow = row;
    mWidths.note(sheetColumn, width);
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
    if (!mStream)
        return;  // no cell written: every column keeps the default width
    const std::vector<int>& widest = mWidths.widest();
    try {
        for (std::size_t column = 0; column < widest.size(); ++column) {
            if (widest[column] > 0)
                mStream->setColumnWidth(static_cast<int>(column),
                                        ColumnWidths::fittedWidth(widest[column]));
        }
    } catch (const xlsx::XlsxError& error) {
        mWorkbook.failed(error);
    }
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
