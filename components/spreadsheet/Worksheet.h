// "Excel.Application" worksheet: a named sheet of a workbook that receives its cells as text,
// row after row, with a hint saying what kind of value the text shows.
#pragma once

#include <string>
#include <string_view>

namespace spreadsheet {

constexpr int kMaxRows = 1'048'576;         // rows of one sheet in .xlsx; row 1 is the header
constexpr int kMaxColumns = 16'384;         // columns A to XFD
constexpr int kMaxCellTextLength = 32'767;  // UTF-16 units a cell holds; longer text is cut
constexpr int kMaxSheetNameLength = 31;     // characters; longer names are refused

// What the cell text shows, as the caller knows it from the source field's type. The hint only
// decides how a text that has exactly the expected form is stored; any other text stays text.
enum class CellKind {
    Text,      // stored as text, always (so "00123" keeps its zeros and "=1+1" is no formula)
    Number,    // plain decimal ("-12.50"), at most 15 significant digits -> number cell
    Date,      // "YYYY-MM-DD" -> date cell shown as yyyy-mm-dd; with " hh:mm:ss" as DateTime
    DateTime,  // "YYYY-MM-DD hh:mm:ss" -> date cell shown as yyyy-mm-dd hh:mm:ss; a bare
               // "YYYY-MM-DD" as Date. Both: real calendar days of the years 1900 to 9999.
    Boolean,   // "True" / "False" -> boolean cell
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

    // Cells(row, column) = text. row and column are 1-based. The text (UTF-8) is stored
    // according to kind (see CellKind); an empty text writes no cell. Text is made safe first, so
    // the file always opens and nothing is lost: invalid UTF-8 bytes and U+FFFE / U+FFFF become
    // U+FFFD, control characters and literal "_xHHHH_" sequences are escaped so that spreadsheet
    // programs show them unchanged. Text longer than kMaxCellTextLength UTF-16 units is cut
    // there, never inside a character (a text with thousands of literal "_xHHHH_" is cut a
    // little earlier, where its escaped form reaches the writer's limit); returns true when
    // this cell's text was cut.
    // Rows go top to bottom: a row may be written in any column order, but once a later row has
    // been written, an earlier one cannot be written again. Sheets go one after another: once
    // another sheet took cells, this one is complete in the file and takes no more.
    // Numbers are plain decimals with "." (never grouping, never a locale's comma).
    // Throws SpreadsheetError, writing nothing, when row is outside 1..kMaxRows, column outside
    // 1..kMaxColumns, the row comes before one already written, the sheet is complete, the
    // sheet was deleted, or the workbook was already handed over (Visible); WorkbookLost when
    // the workbook's file cannot be written.
    virtual bool setCells(int row, int column, std::string_view text, CellKind kind) = 0;

    // Number of cells of this sheet whose text setCells cut to kMaxCellTextLength.
    virtual int cutCells() const = 0;

    // Columns.AutoFit: every column that holds cells gets the width of its widest content as it
    // stands now (characters of the shown text; dates as formatted), at most 255. Columns
    // without cells keep the default width. Cheap: widths are kept while cells are written.
    // Throws SpreadsheetError when the sheet is complete (another sheet took cells since).
    virtual void ColumnsAutoFit() = 0;

    // Worksheets(index).Delete: removes the sheet from its workbook; the sheets after it move
    // one index down. The object stays valid but every later call on it throws. Throws
    // SpreadsheetError when it is the workbook's only sheet, or when it or a sheet after it
    // already holds cells (the file is written front to back), or after hand-over.
    virtual void Delete() = 0;
};

}  // namespace spreadsheet
