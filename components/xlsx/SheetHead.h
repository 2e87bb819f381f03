// The parts of a sheet's XML around its rows. The head (dimension, selection, column widths)
// is known only once the rows are written; it is deflated apart and put in front of them.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace xlsx {

// Characters of a column nobody sized (Calibri 11); at this width it needs no customWidth.
constexpr double kDefaultColumnWidth = 8.43;

struct UsedRange
{
    int firstRow = -1;  // -1: no cell at all
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    bool empty() const { return firstRow < 0; }
    void note(int row, int column)
    {
        if (firstRow < 0) {
            firstRow = lastRow = row;
            firstColumn = lastColumn = column;
            return;
        }
        if (row < firstRow)
            firstRow = row;
        if (row > lastRow)
            lastRow = row;
        if (column < firstColumn)
            firstColumn = column;
        if (column > lastColumn)
            lastColumn = column;
    }
};

struct SheetHead
{
    UsedRange used;
    bool selected = false;         // the workbook's active tab
    std::map<int, double> widths;  // 0-based column -> width in characters (0 to 255)
    bool hasRows = false;
};

// Everything before the first row: "...<sheetData>" (or "<sheetData/>" without rows).
std::string sheetHeadXml(const SheetHead& head);

// Everything after the last row.
std::string_view sheetTailXml(bool hasRows);

// The width libxlsxwriter stores for a column set to `characters` (0 to 255): whole pixels of
// 7-pixel digits plus 5 pixels of padding, in 1/256 of a character.
double storedColumnWidth(double characters);

}  // namespace xlsx
