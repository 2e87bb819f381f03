// "Excel.Application" workbook: an ordered list of worksheets, one of them active. The workbook
// owns its sheets; references to them stay valid as long as the workbook lives.
#pragma once

#include "components/spreadsheet/Worksheet.h"

namespace spreadsheet {

class Workbook
{
public:
    virtual ~Workbook();

    // Worksheets.count: the number of sheets, 1 or more. A new workbook has one, "Sheet1".
    virtual int WorksheetsCount() const = 0;

    // Worksheets(index): the sheet at a 1-based index in tab order.
    // Throws SpreadsheetError when index is outside 1..WorksheetsCount().
    virtual Worksheet& Worksheets(int index) = 0;

    // ActiveSheet: the sheet most recently added (the first sheet in a new workbook); after the
    // active sheet is deleted, the sheet before it (or the new first sheet).
    virtual Worksheet& ActiveSheet() = 0;

    // Worksheets.add: a new, empty sheet after the last one, named "Sheet<n>" with the lowest
    // n above every number used for a default name in this workbook that no sheet carries
    // (ignoring case); it becomes the active sheet. Throws SpreadsheetError after hand-over.
    virtual Worksheet& WorksheetsAdd() = 0;
};

}  // namespace spreadsheet
