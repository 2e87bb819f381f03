// Every description the spreadsheet component puts into a SpreadsheetError, in one place.
#pragma once

#include <string>
#include <string_view>

namespace spreadsheet::messages {

std::string noSpreadsheetProgram();
std::string programNotStarted(const std::string& program, const std::string& file);
std::string cacheFolderUnusable(const std::string& folder, const std::string& reason);
std::string fileNotCreated(const std::string& folder, int error);
std::string fileNotNamed(const std::string& file, int error);
std::string targetIsFolder(const std::string& file);

std::string sheetNameEmpty();
std::string sheetNameTooLong(std::string_view name, int length);
std::string sheetNameForbiddenCharacter(std::string_view name, char character);
std::string sheetNameControlCharacter(std::string_view name);
std::string sheetNameNotUtf8(std::string_view name);
std::string sheetNameApostrophe(std::string_view name);
std::string sheetNameTaken(std::string_view name, std::string_view holder);
std::string sheetRenameAfterCells(std::string_view sheet, std::string_view name);

std::string rowOutOfRange(std::string_view sheet, int row);
std::string columnOutOfRange(std::string_view sheet, int column);
std::string rowBeforeWritten(std::string_view sheet, int row, int lastRow);

std::string sheetDeleted();
std::string workbookHandedOver();
std::string workbookFailed();
std::string deleteOnlySheet(std::string_view sheet);
std::string deleteWrittenSheet(std::string_view sheet);
std::string noSuchSheet(int index, int count);

}  // namespace spreadsheet::messages
