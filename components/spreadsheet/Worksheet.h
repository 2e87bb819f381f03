// "Excel.Application" worksheet: a named sheet of a workbook that receives its cells row after
// row, each written as the kind of value it is: text, number, logical or date.
#pragma once

#include <string>
#include <string_view>

namespace spreadsheet {

constexpr int kMaxRows = 1'048'576;         // rows of one sheet in .xlsx; row 1 is the header
constexpr int kMaxColumns = 16'384;         // columns A to XFD
constexpr int kMaxCellTextLength = 32'767;  // UTF-16 units a cell holds; longer text is cut
constexpr int kMaxSheetNameLength = 31;     // characters; longer names are refused
constexpr int kMaxShownDecimals = 30;       // a number format shows at most 30 decimals

// A date, or a date and time of day, for Worksheet::writeDate.
struct CellDate
{
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    bool hasTime = false;  // shown as yyyy-mm-dd hh:mm:ss; else yyyy-mm-dd

    bool operator==(const CellDate&) const = default;
};

class Worksheet
{
public:
    virtual ~Worksheet();

    // The sheet's name (UTF-8), as set or as given on creation ("Sheet1", "Sheet2", ...).
    virtual std::string name() const = 0;

    // Renames the sheet. Throws SpreadsheetError, and the sheet keeps its name, when the name is
    // empty or longer than 31 characters, holds one of [ ] : * ? / \ or a control character, is
    // not valid UTF-8, starts or ends with an apostrophe, or equals another sheet's name of the
    // workbook ignoring case (Unicode case folding: "CAFÉ" clashes with "Café"). Name a sheet
    // before its cells: once the sheet or a later one holds cells, its name is in the file and
    // a different name throws as well.
    virtual void setName(std::string_view name) = 0;

    // Cells(row, column) = value: one call per cell, the value written as what it is.
    // row and column are 1-based. Rows go top to bottom: a row may be written in any column
    // order, but once a later row has been written, an earlier one cannot be written again.
    // Sheets go one after another: once another sheet took cells, this one is complete in the
    // file and takes no more.
    // Every write throws SpreadsheetError, writing nothing, when row is outside 1..kMaxRows,
    // column outside 1..kMaxColumns, the row comes before one already written, the sheet is
    // complete, the sheet was deleted, or the workbook was already handed over (Visible);
    // WorkbookLost when the workbook's file cannot be written.

    // A text cell (UTF-8); an empty text writes no cell. Text is never a formula and is made
    // safe first, so the file always opens and nothing is lost: invalid UTF-8 bytes and
    // U+FFFE / U+FFFF become U+FFFD. Tab, line feed and carriage return reach every reader as
    // they are; the control characters XML cannot carry (NUL, say) and literal "_xHHHH_"
    // sequences are escaped so that spreadsheet programs that decode "_xHHHH_" show them
    // unchanged (others show the escape: "_x0000_", "_x005F_x0041_"). Text longer than
    // kMaxCellTextLength UTF-16 units is cut there, never inside a character; returns true when
    // this cell's text was cut.
    virtual bool writeText(int row, int column, std::string_view text) = 0;

    // A number cell holding exactly value. NaN and the infinities, which no cell can hold,
    // become text cells ("nan", "inf", "-inf").
    virtual void writeNumber(int row, int column, double value) = 0;

    // A decimal number given as plain text with "." ("-12.50", "0.5"): a number cell when it
    // has at most 15 significant digits, which a double holds exactly as written; with more
    // digits, or any other text ("*****" after an overflow), a text cell with every character,
    // so long identifiers keep all their digits. An empty text writes no cell.
    virtual void writeDecimal(int row, int column, std::string_view digits) = 0;

    // Numbers written into the column from now on (writeNumber, and writeDecimal where it
    // writes a number) show `decimals` digits after the point, as the field they come from
    // declares: 47.9 shows "47.90" with 2. The cell still holds the exact number. 0 (or less)
    // shows them as General again; more than kMaxShownDecimals shows that many. One number
    // format per count of decimals serves the whole workbook. Such numbers are never shortened
    // to fit as General ones are: until ColumnsAutoFit, a column where the widest of them does
    // not fit the default width is given just the width it needs ("###" otherwise).
    // Throws SpreadsheetError when column is outside 1..kMaxColumns, the sheet was deleted, or
    // the workbook was already handed over; WorkbookLost when the workbook's file cannot be
    // written.
    virtual void setNumberDecimals(int column, int decimals) = 0;

    // A logical cell (TRUE / FALSE).
    virtual void writeBoolean(int row, int column, bool value) = 0;

    // A date cell shown as yyyy-mm-dd, or yyyy-mm-dd hh:mm:ss with its time. Spreadsheet dates
    // run from 1900-03-01 to 9999-12-31 alike in every program (before March 1900 they count
    // the days differently: one counts a 29 February 1900 that never was), so a day outside
    // that range, or one that is no calendar day, becomes a text cell in the same form. Dates
    // are never shortened to fit: until ColumnsAutoFit, their column gets the width they need.
    virtual void writeDate(int row, int column, const CellDate& date) = 0;

    // Number of cells of this sheet whose text writeText cut to kMaxCellTextLength.
    virtual int cutCells() const = 0;

    // Columns.AutoFit: every column that holds cells gets the width of its widest content as it
    // stands now (characters of the shown text; dates as formatted, numbers with the decimals
    // they show), at most 255. Columns without cells keep the default width. Cheap: widths are
    // kept while cells are written.
    // Throws SpreadsheetError when the sheet is complete (another sheet took cells since).
    virtual void ColumnsAutoFit() = 0;

    // Worksheets(index).Delete: removes the sheet from its workbook; the sheets after it move
    // one index down. The object stays valid but every later call on it throws. Throws
    // SpreadsheetError when it is the workbook's only sheet, or when it or a sheet after it
    // already holds cells (the file is written front to back), or after hand-over.
    virtual void Delete() = 0;
};

}  // namespace spreadsheet
