// One worksheet of a WorkbookWriter, written as cells arrive: rows top to bottom, each row's
// cells in any order. The calls mirror libxlsxwriter's worksheet_write_* (0-based rows and
// columns), and the XML they produce is the same, byte for byte.
//
//     xlsx::SheetWriter& sheet = book.addSheet("Orders");
//     sheet.writeString(0, 0, "Amount");
//     sheet.writeNumber(1, 0, 12.5);
//     sheet.writeDateTime(1, 1, {2024, 1, 31, 10, 0, 0}, dateTimeFormat);
//     sheet.setColumnWidth(0, 10);   // any time until the sheet is complete
//
// A sheet takes cells from its first one until another sheet of the workbook takes a cell; it
// is complete then, and its XML is in the file. Its cells are streamed: only the row being
// written is kept, and a row is never written again once a later one has been begun.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "components/xlsx/BackgroundDeflate.h"
#include "components/xlsx/ByteBuffer.h"
#include "components/xlsx/ExcelDate.h"
#include "components/xlsx/SheetHead.h"
#include "components/xlsx/ZipArchive.h"

namespace xlsx {

class WorkbookWriter;

// A number format of a workbook (WorkbookWriter::addNumberFormat); the default one is General.
class Format
{
public:
    Format() = default;
    bool isGeneral() const { return mId == 0; }

private:
    friend class WorkbookWriter;
    explicit Format(int id) : mId(id) {}
    int mId = 0;
};

class SheetWriter
{
public:
    SheetWriter(const SheetWriter&) = delete;
    SheetWriter& operator=(const SheetWriter&) = delete;

    const std::string& name() const { return mName; }
    // True once another sheet took cells after this one (or the workbook was closed).
    bool isComplete() const { return mState == State::Complete; }

    // Every write throws XlsxError, writing nothing, when row is outside 0..1,048,575 or column
    // outside 0..16,383, when the row comes before one begun already, when the sheet is
    // complete or the workbook closed, and for a value a cell cannot hold (below); FileError
    // when the file cannot be written. A cell written twice keeps the later value.

    // value must be finite (libxlsxwriter would write "NAN" or "INF", which no reader takes).
    void writeNumber(int row, int column, double value, Format format = {});
    // The same for a double that must read back exactly: written as writeNumber writes it
    // where that text reads back as value, else with 17 significant digits (which the
    // reference writer's 16 lose).
    void writeExactNumber(int row, int column, double value, Format format = {});
    // text: UTF-8 of at most 32,767 characters, without U+FFFE / U+FFFF. Stored inline;
    // carriage return is written "&#13;", the other control characters but tab and line feed
    // as _xHHHH_ escapes. An empty text writes no cell (a blank one with a format).
    void writeString(int row, int column, std::string_view text, Format format = {});
    void writeBoolean(int row, int column, bool value, Format format = {});
    // when: a valid day of 1900 to 9999 with a time of day, shown by format.
    void writeDateTime(int row, int column, const DateTime& when, Format format);
    // A cell with a format and no value; without a format, nothing is written.
    void writeBlank(int row, int column, Format format);

    // The column's width in characters (0 to 255), as worksheet_set_column. Throws XlsxError
    // for another column or width, or when the sheet is complete.
    void setColumnWidth(int column, double width);

private:
    friend class WorkbookWriter;
    enum class State {
        Waiting,   // no cell yet; not in the file
        Open,      // taking cells; its entry is being written
        Complete,  // in the file
    };

    SheetWriter(WorkbookWriter& book, std::string name, std::size_t number);

    void checkCell(int row, int column);
    char* beginCell(int row, int column, int style, std::size_t room);
    void endCell(char* end, int row, int column);
    void beginRow(int row);
    void handOverPiece();
    void sortRow();
    std::string headXml(bool selected) const;

    // For the workbook.
    void open(std::uint64_t entryStart);
    void complete(bool selected);
    void select(bool selected);
    bool selectedInFile() const { return mSelectedInFile; }

    // The zip entry with the head for `selected`; once complete.
    ZipEntry entry(bool selected) const;
    // The local header and head for `selected`, written in front of the rows.
    void writeFront(bool selected);

    WorkbookWriter& mBook;
    const std::string mName;
    const std::size_t mNumber;  // 1-based, in tab order: xl/worksheets/sheetN.xml
    State mState = State::Waiting;

    // While open.
    ByteBuffer mPiece;               // XML of whole rows not yet handed to the deflater
    int mRow = -1;                   // the row being written (0-based)
    int mLastColumn = -1;            // its rightmost cell so far
    std::size_t mRowCellsStart = 0;  // where its cells begin in mPiece
    bool mRowUnsorted = false;
    char mRowText[8] = {};  // its 1-based number as text
    std::size_t mRowTextLength = 0;
    UsedRange mUsed;
    std::map<int, double> mWidths;
    std::uint64_t mEntryStart = 0;  // of the local header
    std::uint64_t mRowsStart = 0;   // of the deflated rows (0: not placed yet)
    ByteBuffer mScratch;            // escaped text

    // Once complete: what it takes to write the front again for the other selection.
    StreamTotals mRows;
    ByteBuffer mFront[2];  // deflated head, not selected / selected
    std::uint32_t mFrontCrc[2] = {};
    std::uint64_t mFrontSize[2] = {};
    bool mSelectedInFile = false;
};

}  // namespace xlsx
