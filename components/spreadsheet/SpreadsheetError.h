// The error every operation of the spreadsheet component throws; what() is the description the
// error report shows (UTF-8, a full sentence naming the sheet, cell or file concerned).
#pragma once

#include <stdexcept>

namespace spreadsheet {

class SpreadsheetError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

}  // namespace spreadsheet
