// Texts of the spreadsheet component's errors: what failed, where, and the way out.
#include "components/spreadsheet/SpreadsheetMessages.h"

#include <cerrno>
#include <cstring>

#include "components/spreadsheet/Worksheet.h"
#include "components/text/Utf8.h"

namespace spreadsheet::messages {

namespace {

// A name as the message shows it: bytes that are not printable UTF-8 would garble the report,
// so ill-formed bytes, control characters and U+FFFE / U+FFFF are shown as U+FFFD.
std::string shown(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const text::Utf8Char c = text::decodeUtf8(text, i);
        const bool unprintable = c.codePoint < 0x20 ||
                                 (c.codePoint >= 0x7F && c.codePoint <= 0x9F) ||
                                 text::isXmlNonCharacter(c.codePoint);
        text::appendUtf8(out, unprintable ? text::kReplacementCharacter : c.codePoint);
        i += c.length;
    }
    return out;
}

std::string quoted(std::string_view text)
{
    std::string out(1, '"');
    out += shown(text);
    out += '"';
    return out;
}

}  // namespace

std::string noSpreadsheetProgram()
{
    return "No spreadsheet program was found to open the workbook. Install LibreOffice Calc (its "
           "\"soffice\" program must be on the PATH) or choose a default application for .xlsx "
           "files in the desktop settings.";
}

std::string programNotStarted(const std::string& program, const std::string& file)
{
    return "The spreadsheet program " + program + " could not be started to open " + file +
           ". Check that it runs, then export again.";
}

std::string cacheFolderUnusable(const std::string& folder, const std::string& reason)
{
    return "The folder " + folder + " for finished workbooks cannot be used: " + reason +
           ". Make it a folder of your own, or set XDG_CACHE_HOME to one.";
}

std::string fileNotCreated(const std::string& folder, int error)
{
    std::string text =
        "No workbook file can be created in " + folder + ": " + std::strerror(error) + ".";
    if (error == ENOSPC || error == EDQUOT)
        text += " Free some space on that disk, or write the workbook to another one.";
    else if (error == EACCES || error == EPERM || error == EROFS)
        text += " Choose a folder you can write to.";
    return text;
}

std::string fileNotNamed(const std::string& file, int error)
{
    return "The finished workbook could not be saved as " + file + ": " + std::strerror(error) +
           ".";
}

std::string targetIsFolder(const std::string& file)
{
    return file + " is a folder; name a file for the workbook.";
}

std::string sheetNameEmpty()
{
    return "A sheet name cannot be empty; it needs 1 to 31 characters.";
}

std::string sheetNameTooLong(std::string_view name, int length)
{
    return "The sheet name " + quoted(name) + " has " + std::to_string(length) +
           " characters; a sheet name may have at most " + std::to_string(kMaxSheetNameLength) +
           ".";
}

std::string sheetNameForbiddenCharacter(std::string_view name, char character)
{
    return "The sheet name " + quoted(name) + " contains \"" + std::string(1, character) +
           "\"; sheet names cannot contain any of [ ] : * ? / \\.";
}

std::string sheetNameControlCharacter(std::string_view name)
{
    return "The sheet name " + quoted(name) +
           " contains a control character, which sheet names cannot contain.";
}

std::string sheetNameNotUtf8(std::string_view name)
{
    return "The sheet name " + quoted(name) + " is not valid UTF-8 text.";
}

std::string sheetNameApostrophe(std::string_view name)
{
    return "The sheet name " + quoted(name) +
           " starts or ends with an apostrophe, which sheet names cannot.";
}

std::string sheetNameTaken(std::string_view name, std::string_view holder)
{
    return "The sheet name " + quoted(name) + " is already taken by the sheet " + quoted(holder) +
           " (sheet names are compared ignoring case).";
}

std::string sheetRenameAfterCells(std::string_view sheet, std::string_view name)
{
    return "The sheet " + quoted(sheet) + " cannot be renamed to " + quoted(name) +
           ": the file already holds its cells or a later sheet's. Name a sheet before writing "
           "cells.";
}

std::string rowOutOfRange(std::string_view sheet, int row)
{
    return "Row " + std::to_string(row) + " does not fit on the sheet " + quoted(sheet) +
           ": a sheet holds rows 1 to 1,048,576. Continue on another sheet.";
}

std::string columnOutOfRange(std::string_view sheet, int column)
{
    return "Column " + std::to_string(column) + " does not fit on the sheet " + quoted(sheet) +
           ": a sheet holds columns 1 to 16,384.";
}

std::string rowBeforeWritten(std::string_view sheet, int row, int lastRow)
{
    return "Row " + std::to_string(row) + " of the sheet " + quoted(sheet) +
           " cannot be written after row " + std::to_string(lastRow) +
           ": rows are written from top to bottom.";
}

std::string sheetDeleted()
{
    return "This sheet was deleted from its workbook and can no longer be used.";
}

std::string workbookHandedOver()
{
    return "The workbook was already handed to the spreadsheet program and takes no more changes.";
}

std::string workbookFailed()
{
    return "The workbook could not be finished and takes no more changes; export it again.";
}

std::string deleteOnlySheet(std::string_view sheet)
{
    return "The sheet " + quoted(sheet) +
           " cannot be deleted: a workbook keeps at least one sheet.";
}

std::string deleteWrittenSheet(std::string_view sheet)
{
    return "The sheet " + quoted(sheet) +
           " cannot be deleted: the file already holds its cells or a later sheet's.";
}

std::string noSuchSheet(int index, int count)
{
    return "There is no sheet " + std::to_string(index) + ": the workbook has sheets 1 to " +
           std::to_string(count) + ".";
}

}  // namespace spreadsheet::messages
