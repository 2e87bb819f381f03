// Cells into XML pieces. A row's cells go into the piece as they come; a row written out of
// column order is sorted in place (rare: the export writes left to right). Whole rows of about
// a mebibyte go to the deflating thread. The head of the sheet is deflated last and written in
// front of the rows, into room left for it when the first piece went out.
#include "components/xlsx/SheetWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include <zlib.h>

#include "components/xlsx/CellReference.h"
#include "components/xlsx/Limits.h"
#include "components/xlsx/NumberText.h"
#include "components/xlsx/PackageParts.h"
#include "components/xlsx/WorkbookWriter.h"
#include "components/xlsx/WriterMessages.h"
#include "components/xlsx/XlsxError.h"
#include "components/xlsx/XmlText.h"

namespace xlsx {

namespace {

constexpr std::size_t kPieceSize = 1 << 20;  // XML handed to the deflating thread at a time
constexpr std::size_t kCellMarkup = 96;      // "<c r=..." with style and the inline-string tags
constexpr std::string_view kCellStart = "<c r=\"";
// The room left for the head before the rows is bounded by what an extra field can pad.
constexpr std::size_t kLargestHeadRoom = 60'000;
constexpr std::size_t kHeadRoomMargin = 64;  // deflate's own bytes on XML that does not shrink
constexpr double kWidestWidthText = 254.7;  // stored as 255.42578125: no stored width prints longer

std::uint32_t crcOf(std::string_view bytes)
{
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

}  // namespace

SheetWriter::SheetWriter(WorkbookWriter& book, std::string name, std::size_t number)
    : mBook(book), mName(std::move(name)), mNumber(number)
{}

void SheetWriter::writeNumber(int row, int column, double value, Format format)
{
    checkCell(row, column);
    if (!std::isfinite(value))
        throw XlsxError(messages::numberNotFinite(mName, row, column));
    char* p = beginCell(row, column, mBook.styleOf(format), kMaxNumberText);
    p = put(p, "><v>");
    p = appendNumber(p, value);
    p = put(p, "</v></c>");
    endCell(p, row, column);
}

void SheetWriter::writeExactNumber(int row, int column, double value, Format format)
{
    checkCell(row, column);
    if (!std::isfinite(value))
        throw XlsxError(messages::numberNotFinite(mName, row, column));
    char* p = beginCell(row, column, mBook.styleOf(format), kMaxNumberText);
    p = put(p, "><v>");
    p = appendExactNumber(p, value);
    p = put(p, "</v></c>");
    endCell(p, row, column);
}

void SheetWriter::writeString(int row, int column, std::string_view text, Format format)
{
    checkCell(row, column);
    if (text.empty()) {
        writeBlank(row, column, format);
        return;
    }
    std::string_view escaped = text;
    std::size_t characters = text.size();
    if (const std::size_t plain = plainLength(text); plain < text.size()) {
        mScratch.clear();
        if (!appendEscapedText(text, plain, mScratch, characters))
            throw XlsxError(messages::textNotUtf8(mName, row, column));
        escaped = mScratch.view();
    }
    if (characters > kMaxTextLength)
        throw XlsxError(messages::textTooLong(mName, row, column, characters));
    char* p = beginCell(row, column, mBook.styleOf(format), escaped.size());
    if (keepsSpace(text))
        p = put(p, " t=\"inlineStr\"><is><t xml:space=\"preserve\">");
    else
        p = put(p, " t=\"inlineStr\"><is><t>");
    p = put(p, escaped);
    p = put(p, "</t></is></c>");
    endCell(p, row, column);
}

void SheetWriter::writeBoolean(int row, int column, bool value, Format format)
{
    checkCell(row, column);
    char* p = beginCell(row, column, mBook.styleOf(format), 0);
    p = put(p, value ? " t=\"b\"><v>1</v></c>" : " t=\"b\"><v>0</v></c>");
    endCell(p, row, column);
}

void SheetWriter::writeDateTime(int row, int column, const DateTime& when, Format format)
{
    checkCell(row, column);
    if (!isValidDateTime(when))
        throw XlsxError(messages::dateNotValid(mName, row, column));
    char* p = beginCell(row, column, mBook.styleOf(format), kMaxNumberText);
    p = put(p, "><v>");
    p = appendNumber(p, excelSerial(when));
    p = put(p, "</v></c>");
    endCell(p, row, column);
}

void SheetWriter::writeBlank(int row, int column, Format format)
{
    checkCell(row, column);
    if (format.isGeneral())
        return;
    char* p = beginCell(row, column, mBook.styleOf(format), 0);
    p = put(p, "/>");
    endCell(p, row, column);
}

void SheetWriter::setColumnWidth(int column, double width)
{
    if (mState == State::Complete)
        throw XlsxError(messages::sheetComplete(mName));
    mBook.checkUsable();
    if (column < 0 || column >= kMaxColumns || !(width >= 0 && width <= kMaxColumnWidth))
        throw XlsxError(messages::columnWidthNotValid(mName, column, width));
    mWidths[column] = width;
}

void SheetWriter::checkCell(int row, int column)
{
    if (mState == State::Complete)
        throw XlsxError(messages::sheetComplete(mName));
    mBook.checkUsable();
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns)
        throw XlsxError(messages::cellOutsideSheet(mName, row, column));
    if (row < mRow)
        throw XlsxError(messages::rowBeforeWritten(mName, row, mRow));
}

char* SheetWriter::beginCell(int row, int column, int style, std::size_t room)
{
    if (mState != State::Open)
        mBook.open(*this);
    if (row != mRow)
        beginRow(row);
    else if (column <= mLastColumn)
        mRowUnsorted = true;
    char* p = mPiece.reserve(room + kCellMarkup);
    p = put(p, kCellStart);
    // Fixed-size copies (the letter table keeps three bytes a column, the row text eight), so
    // no call for a copy of one to seven bytes.
    const std::string_view letters = columnLetters(column);
    std::memcpy(p, letters.data(), 3);
    p += letters.size();
    std::memcpy(p, mRowText, sizeof mRowText);
    p += mRowTextLength;
    *p++ = '"';
    if (style != 0) {
        p = put(p, " s=\"");
        p = std::to_chars(p, p + 12, style).ptr;
        *p++ = '"';
    }
    return p;
}

void SheetWriter::endCell(char* end, int row, int column)
{
    mPiece.commit(end);
    mUsed.note(row, column);
    if (mRowUnsorted)
        sortRow();
    else
        mLastColumn = column;
}

void SheetWriter::beginRow(int row)
{
    if (mRow >= 0) {
        mPiece.append("</row>");
        if (mPiece.size() >= kPieceSize)
            handOverPiece();
    }
    mRowTextLength = static_cast<std::size_t>(
        std::to_chars(mRowText, mRowText + sizeof mRowText, row + 1).ptr - mRowText);
    char* p = mPiece.reserve(32);
    p = put(p, "<row r=\"");
    p = put(p, {mRowText, mRowTextLength});
    p = put(p, "\">");
    mPiece.commit(p);
    mRow = row;
    mLastColumn = -1;
    mRowCellsStart = mPiece.size();
}

void SheetWriter::handOverPiece()
{
    mBook.writing([&] {
        if (mRowsStart == 0) {
            // The head is known only at the end: leave room for the largest it can grow to
            // with the columns seen so far. Later columns may need more; the rows move then.
            SheetHead largest;
            largest.used = {0, 0, kMaxRows - 1, kMaxColumns - 1};
            largest.selected = true;
            largest.hasRows = true;
            for (int column = 0; column <= mUsed.lastColumn; ++column)
                largest.widths[column] = kWidestWidthText;
            const std::size_t head =
                std::min(sheetHeadXml(largest).size() + kHeadRoomMargin, kLargestHeadRoom);
            mRowsStart = mEntryStart + localHeaderSize(sheetPartName(mNumber).size(), true) + head;
            mBook.mBackground.start(mRowsStart);
        }
        mBook.mBackground.submit(mPiece);
    });
}

void SheetWriter::sortRow()
{
    struct Cell
    {
        int column;
        std::string_view xml;
    };
    const std::string_view cells(mPiece.data() + mRowCellsStart, mPiece.size() - mRowCellsStart);
    // Text is escaped, so "<c r=" starts a cell and nothing else.
    std::vector<Cell> list;
    for (std::size_t start = 0; start < cells.size();) {
        std::size_t next = cells.find(kCellStart, start + 1);
        if (next == std::string_view::npos)
            next = cells.size();
        std::size_t letters;
        const int column = columnOfLetters(cells.substr(start + kCellStart.size()), letters);
        list.push_back({column, cells.substr(start, next - start)});
        start = next;
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Cell& a, const Cell& b) { return a.column < b.column; });
    std::string sorted;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i + 1 < list.size() && list[i + 1].column == list[i].column)
            continue;  // written again later: the later value stays
        sorted += list[i].xml;
    }
    mPiece.truncate(mRowCellsStart);
    mPiece.append(sorted);
    mLastColumn = list.back().column;
    mRowUnsorted = false;
}

std::string SheetWriter::headXml(bool selected) const
{
    SheetHead head;
    head.used = mUsed;
    head.selected = selected;
    head.widths = mWidths;
    head.hasRows = mRow >= 0;
    return sheetHeadXml(head);
}

void SheetWriter::open(std::uint64_t entryStart)
{
    mState = State::Open;
    mEntryStart = entryStart;
    mRowsStart = 0;
}

void SheetWriter::complete(bool selected)
{
    const bool hasRows = mRow >= 0;
    if (hasRows)
        mPiece.append("</row>");
    mPiece.append(sheetTailXml(hasRows));
    for (int variant = 0; variant < 2; ++variant) {
        const std::string xml = headXml(variant == 1);
        mFront[variant].clear();
        mBook.mDeflater.deflateAll(xml, Ending::Sync, mFront[variant]);
        mFrontCrc[variant] = crcOf(xml);
        mFrontSize[variant] = xml.size();
    }
    // Room for either head, with a padding field of 4 bytes or more for the shorter one.
    const std::size_t heads[2] = {mFront[0].size(), mFront[1].size()};
    const std::size_t headRoom = std::max(heads[0], heads[1]) + (heads[0] != heads[1] ? 4 : 0);
    const std::string partName = sheetPartName(mNumber);
    if (mRowsStart == 0) {
        mRowsStart = mEntryStart + localHeaderSize(partName.size(), false) + headRoom;
        mBook.mBackground.start(mRowsStart);
    }
    mRows = mBook.mBackground.finish(mPiece);

    // Both fronts must fill the room before the rows exactly, padding included.
    auto fits = [&](std::uint64_t rowsStart) {
        const std::uint64_t room = rowsStart - mEntryStart;
        for (int variant = 0; variant < 2; ++variant) {
            if (room < heads[variant] || paddingFor(entry(variant == 1), room - heads[variant]) < 0)
                return false;
        }
        return true;
    };
    if (!fits(mRowsStart)) {
        const bool zip64 = needsZip64Sizes(entry(false)) || needsZip64Sizes(entry(true));
        const std::uint64_t placed =
            mEntryStart + localHeaderSize(partName.size(), zip64) + headRoom;
        mBook.mFile.move(mRowsStart, mRows.compressedSize, placed);
        mRowsStart = placed;
    }
    writeFront(selected);
    mBook.mZip.add(entry(selected), mRowsStart + mRows.compressedSize);
    mState = State::Complete;
    mPiece = ByteBuffer();
    mScratch = ByteBuffer();
}

void SheetWriter::select(bool selected)
{
    writeFront(selected);
    mBook.mZip.update(entry(selected));
}

ZipEntry SheetWriter::entry(bool selected) const
{
    const int variant = selected ? 1 : 0;
    ZipEntry made;
    made.name = sheetPartName(mNumber);
    made.offset = mEntryStart;
    made.compressedSize = mFront[variant].size() + mRows.compressedSize;
    made.size = mFrontSize[variant] + mRows.size;
    made.crc = static_cast<std::uint32_t>(
        crc32_combine(mFrontCrc[variant], mRows.crc, static_cast<z_off_t>(mRows.size)));
    return made;
}

void SheetWriter::writeFront(bool selected)
{
    const ZipEntry made = entry(selected);
    const std::size_t head = mFront[selected ? 1 : 0].size();
    const long padding = paddingFor(made, mRowsStart - mEntryStart - head);
    ByteBuffer front;
    appendLocalHeader(front, made, static_cast<std::size_t>(padding));
    front.append(mFront[selected ? 1 : 0].view());
    mBook.mFile.writeAt(mEntryStart, front.data(), front.size());
    mSelectedInFile = selected;
}

}  // namespace xlsx
