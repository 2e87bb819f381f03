// Texts of the writer's errors: what failed, where, and the way out.
#include "components/xlsx/WriterMessages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "components/xlsx/CellReference.h"
#include "components/xlsx/Limits.h"

namespace xlsx::messages {

namespace {

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string cell(std::string_view sheet, int row, int column)
{
    return "cell " + cellReference(row, column) + " of the sheet " + quoted(sheet);
}

}  // namespace

std::string fileNotWritten(std::string_view file, int error)
{
    std::string text = "The workbook " + std::string(file) +
                       " could not be written: " + std::strerror(error) + ".";
    if (error == ENOSPC || error == EDQUOT || error == EFBIG)
        text += " Free some space on that disk, or write the workbook to another one.";
    return text;
}

std::string workbookLost(std::string_view reason)
{
    return std::string(reason) + " The workbook is lost; export it again.";
}

std::string workbookClosed()
{
    return "The workbook is complete and takes no more changes.";
}

std::string cellOutsideSheet(std::string_view sheet, int row, int column)
{
    return "Row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1) +
           " is outside the sheet " + quoted(sheet) +
           ": a sheet holds rows 1 to 1,048,576 and columns 1 to 16,384.";
}

std::string rowBeforeWritten(std::string_view sheet, int row, int lastRow)
{
    return "Row " + std::to_string(row + 1) + " of the sheet " + quoted(sheet) +
           " cannot be written after row " + std::to_string(lastRow + 1) +
           ": rows are written from top to bottom.";
}

std::string sheetComplete(std::string_view sheet)
{
    return "The sheet " + quoted(sheet) +
           " is complete: another sheet took cells after it. Write each sheet's cells and "
           "column widths before the next sheet's.";
}

std::string textNotUtf8(std::string_view sheet, int row, int column)
{
    return "The text for the " + cell(sheet, row, column) +
           " is not valid UTF-8 (or holds U+FFFE or U+FFFF).";
}

std::string textTooLong(std::string_view sheet, int row, int column, std::size_t length)
{
    return "The text for the " + cell(sheet, row, column) + " has " + std::to_string(length) +
           " characters; a cell holds at most " + std::to_string(kMaxTextLength) + ".";
}

std::string numberNotFinite(std::string_view sheet, int row, int column)
{
    return "The number for the " + cell(sheet, row, column) +
           " is infinite or not a number, which a cell cannot hold.";
}

std::string dateNotValid(std::string_view sheet, int row, int column)
{
    return "The date for the " + cell(sheet, row, column) +
           " is not a day of the years 1900 to 9999 with a time of day.";
}

std::string columnWidthNotValid(std::string_view sheet, int column, double width)
{
    char shown[32];
    std::snprintf(shown, sizeof shown, "%g", width);
    return "Column " + std::to_string(column + 1) + " of the sheet " + quoted(sheet) +
           " cannot be " + shown +
           " characters wide: widths go from 0 to 255, columns from 1 to 16,384.";
}

std::string formatUnknown()
{
    return "The number format does not belong to this workbook.";
}

std::string sheetNameNotValid(std::string_view name)
{
    return "The sheet name " + quoted(name) +
           " cannot be used: a sheet name has 1 to 31 characters of UTF-8 text, without control "
           "characters, any of [ ] : * ? / \\, or an apostrophe first or last.";
}

std::string sheetNameTaken(std::string_view name)
{
    return "The sheet name " + quoted(name) + " is already taken (ignoring case).";
}

std::string sheetUnknown()
{
    return "The sheet does not belong to this workbook.";
}

}  // namespace xlsx::messages
