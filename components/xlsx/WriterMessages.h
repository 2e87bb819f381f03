// Every description the workbook writer puts into an error, in one place. Rows and columns are
// shown as the user sees them: cell references, 1-based numbers.
#pragma once

#include <string>
#include <string_view>

namespace xlsx::messages {

std::string fileNotWritten(std::string_view file, int error);
std::string workbookLost(std::string_view reason);
std::string workbookClosed();

std::string cellOutsideSheet(std::string_view sheet, int row, int column);
std::string rowBeforeWritten(std::string_view sheet, int row, int lastRow);
std::string sheetComplete(std::string_view sheet);
std::string textNotUtf8(std::string_view sheet, int row, int column);
std::string textTooLong(std::string_view sheet, int row, int column, std::size_t length);
std::string numberNotFinite(std::string_view sheet, int row, int column);
std::string dateNotValid(std::string_view sheet, int row, int column);
std::string columnWidthNotValid(std::string_view sheet, int column, double width);
std::string formatUnknown();

std::string sheetNameNotValid(std::string_view name);
std::string sheetNameTaken(std::string_view name);
std::string sheetUnknown();

}  // namespace xlsx::messages
