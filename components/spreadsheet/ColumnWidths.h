// The widest content of each column of a sheet, kept while cells arrive, so that fitting the
// columns needs no second pass over the rows.
#pragma once

#include <cstddef>
#include <vector>

namespace spreadsheet {

class ColumnWidths
{
public:
    // Notes a cell `width` character cells wide in the 0-based column.
    void note(int column, int width)
    {
        const auto index = static_cast<std::size_t>(column);
        if (index >= mWidest.size())
            mWidest.resize(index + 1, 0);
        if (width > mWidest[index])
            mWidest[index] = width;
    }

    // Widest content per 0-based column; 0 for a column without cells.
    const std::vector<int>& widest() const { return mWidest; }

    // The width to give the writer for a column whose widest content is `characters` wide: one
    // character of margin, at most 254 (the file gets about 0.71 of padding on top, and stored
    // widths past 255 would be garbled).
    static double fittedWidth(int characters);

    // Whether content `characters` wide shows whole in a column nobody sized: its fitted width
    // is no more than the default one.
    static bool fitsDefaultWidth(int characters);

private:
    std::vector<int> mWidest;
};

}  // namespace spreadsheet
