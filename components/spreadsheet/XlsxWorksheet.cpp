// Writing cells: check the position first, then store each value as what it is.
#include "components/spreadsheet/XlsxWorksheet.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "components/spreadsheet/CellValue.h"
#include "components/spreadsheet/FixedDecimals.h"
#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/spreadsheet/XlsxWorkbook.h"
#include "components/xlsx/SheetWriter.h"
#include "components/xlsx/XlsxError.h"

namespace spreadsheet {

namespace {

constexpr std::size_t kNumberTextCapacity = 32;  // the shortest text of any double fits
constexpr int kDateWidth = 10;                   // yyyy-mm-dd
constexpr int kDateTimeWidth = 19;               // yyyy-mm-dd hh:mm:ss
constexpr int kTrueWidth = 4;                    // TRUE
constexpr int kFalseWidth = 5;                   // FALSE

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

void XlsxWorksheet::checkPlace(int row, int column) const
{
    checkWritable();
    if (row < 1 || row > kMaxRows)
        throw SpreadsheetError(messages::rowOutOfRange(mName, row));
    if (column < 1 || column > kMaxColumns)
        throw SpreadsheetError(messages::columnOutOfRange(mName, column));
    // Rows are streamed: a row above the last one written cannot be written any more.
    if (row < mLastRow)
        throw SpreadsheetError(messages::rowBeforeWritten(mName, row, mLastRow));
}

xlsx::SheetWriter& XlsxWorksheet::cellStream(int row, int column)
{
    checkPlace(row, column);
    return mStream ? *mStream : mWorkbook.startStreaming(*this);
}

template <typename Write>
void XlsxWorksheet::write(int row, int column, int width, Write&& write)
{
    xlsx::SheetWriter& sheet = cellStream(row, column);
    try {
        write(sheet, row - 1, column - 1);
    } catch (const xlsx::XlsxError& error) {
        mWorkbook.failed(error);
    }
    mLastRow = row;
    mWidths.note(column - 1, width);
}

bool XlsxWorksheet::writeText(int row, int column, std::string_view text)
{
    checkPlace(row, column);  // a bad place throws even for an empty text, which writes no cell
    if (text.empty())
        return false;
    const CellText::Prepared prepared = mText.prepare(text);
    write(row, column, prepared.width,
          [&](xlsx::SheetWriter& sheet, int r, int c) { sheet.writeString(r, c, prepared.text); });
    mCutCells += prepared.cut ? 1 : 0;
    return prepared.cut;
}

void XlsxWorksheet::writeNumber(int row, int column, double value)
{
    std::array<char, kNumberTextCapacity> text{};
    // The shortest text that reads back as value ("0.1", "inf"): how General shows it.
    const auto shortest = [&] {
        const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
        return std::string_view(text.data(), static_cast<std::size_t>(end - text.data()));
    };
    if (!std::isfinite(value)) {
        writeText(row, column, shortest());
        return;
    }
    const double number = value == 0 ? 0.0 : value;  // no "-0"
    const ShownNumbers shown = shownNumbers(column);
    const int width = shown.decimals > 0 ? fixedDecimalsWidth(number, shown.decimals)
                                         : static_cast<int>(shortest().size());
    write(row, column, width, [&](xlsx::SheetWriter& sheet, int r, int c) {
        sheet.writeExactNumber(r, c, number, shown.format);
    });
    if (shown.decimals > 0)
        widenUnfitted(column, width);
}

void XlsxWorksheet::writeDecimal(int row, int column, std::string_view digits)
{
    const std::optional<double> value = exactDecimal(digits);
    if (!value) {
        writeText(row, column, digits);
        return;
    }
    const ShownNumbers shown = shownNumbers(column);
    const int width = shown.decimals > 0 ? fixedDecimalsWidth(*value, shown.decimals)
                                         : static_cast<int>(digits.size());
    write(row, column, width, [&](xlsx::SheetWriter& sheet, int r, int c) {
        sheet.writeNumber(r, c, *value, shown.format);
    });
    if (shown.decimals > 0)
        widenUnfitted(column, width);
}

void XlsxWorksheet::setNumberDecimals(int column, int decimals)
{
    checkWritable();
    if (column < 1 || column > kMaxColumns)
        throw SpreadsheetError(messages::columnOutOfRange(mName, column));
    const int shown = std::clamp(decimals, 0, kMaxShownDecimals);
    const auto index = static_cast<std::size_t>(column - 1);
    if (index >= mShownNumbers.size()) {
        if (shown == 0)
            return;
        mShownNumbers.resize(index + 1);
    }
    mShownNumbers[index].format = mWorkbook.decimalsFormat(shown);
    mShownNumbers[index].decimals = shown;
}

void XlsxWorksheet::widenUnfitted(int column, int width)
{
    const auto index = static_cast<std::size_t>(column - 1);
    if (mFitted || (index < mWidened.size() && width <= mWidened[index]) ||
        ColumnWidths::fitsDefaultWidth(width))
        return;
    if (index >= mWidened.size())
        mWidened.resize(index + 1);
    mWidened[index] = width;
    try {
        mStream->setColumnWidth(column - 1, ColumnWidths::fittedWidth(width));
    } catch (const xlsx::XlsxError& error) {
        mWorkbook.failed(error);
    }
}

void XlsxWorksheet::writeBoolean(int row, int column, bool value)
{
    write(row, column, value ? kTrueWidth : kFalseWidth,
          [&](xlsx::SheetWriter& sheet, int r, int c) { sheet.writeBoolean(r, c, value); });
}

void XlsxWorksheet::writeDate(int row, int column, const CellDate& date)
{
    if (!isSpreadsheetDate(date)) {
        writeText(row, column, isoText(date));
        return;
    }
    const xlsx::DateTime when{date.year, date.month,  date.day,
                              date.hour, date.minute, double(date.second)};
    const int width = date.hasTime ? kDateTimeWidth : kDateWidth;
    write(row, column, width, [&](xlsx::SheetWriter& sheet, int r, int c) {
        sheet.writeDateTime(r, c, when, mWorkbook.dateFormat(date.hasTime));
    });
    widenUnfitted(column, width);
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
    mFitted = true;
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
