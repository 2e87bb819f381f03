// The errors every operation of the spreadsheet component throws; what() is the description the
// error report shows (UTF-8, a full sentence naming the sheet, cell or file concerned).
#pragma once

#include <stdexcept>

namespace spreadsheet {

class SpreadsheetError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The workbook's file could not be written (a full disk, say). The workbook is lost: every
// later call on it throws this again, and nothing of it is handed over.
class WorkbookLost : public SpreadsheetError
{
public:
    using SpreadsheetError::SpreadsheetError;
};

}  // namespace spreadsheet
