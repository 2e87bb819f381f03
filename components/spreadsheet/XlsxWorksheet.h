// A worksheet of an XlsxWorkbook. Its writer's sheet is created only when its first cell
// arrives (or when the workbook is finished), because that fixes the sheet's name and place;
// until then the sheet can be renamed and deleted freely.
#pragma once

#include <string>
#include <vector>

#include <QString>

#include "components/spreadsheet/CellText.h"
#include "components/spreadsheet/ColumnWidths.h"
#include "components/spreadsheet/Worksheet.h"
#include "components/xlsx/SheetWriter.h"

namespace spreadsheet {

class XlsxWorkbook;

class XlsxWorksheet final : public Worksheet
{
public:
    // name must already be checked and free in the workbook.
    XlsxWorksheet(XlsxWorkbook& workbook, std::string name);

    std::string name() const override;
    void setName(std::string_view name) override;
    bool writeText(int row, int column, std::string_view text) override;
    void writeNumber(int row, int column, double value) override;
    void writeDecimal(int row, int column, std::string_view digits) override;
    void setNumberDecimals(int column, int decimals) override;
    void writeBoolean(int row, int column, bool value) override;
    void writeDate(int row, int column, const CellDate& date) override;
    int cutCells() const override;
    void ColumnsAutoFit() override;
    void Delete() override;

    // For the workbook.
    const QString& nameKey() const { return mNameKey; }
    const std::string& currentName() const { return mName; }
    xlsx::SheetWriter* stream() const { return mStream; }
    void attachStream(xlsx::SheetWriter* stream) { mStream = stream; }
    void markDeleted() { mDeleted = true; }

private:
    // How the numbers of a column are shown: the decimals set for it and their format.
    struct ShownNumbers
    {
        xlsx::Format format;
        int decimals = 0;
    };

    // The numbers of the 1-based column; General where none were set or column is no column.
    ShownNumbers shownNumbers(int column) const
    {
        const auto index = static_cast<std::size_t>(column - 1);
        return index < mShownNumbers.size() ? mShownNumbers[index] : ShownNumbers{};
    }
    void checkAlive() const;
    void checkWritable() const;
    // Throws when a cell cannot be written at that place (see Worksheet).
    void checkPlace(int row, int column) const;
    // Checks the place and returns the sheet's stream to write the cell to.
    xlsx::SheetWriter& cellStream(int row, int column);
    // Until the sheet is fitted, gives the 1-based column the width of content `width`
    // characters wide that spreadsheet programs never shorten to fit (a number with decimals,
    // a date, unlike a General number), where it does not fit the default width and the column
    // is not that wide yet.
    void widenUnfitted(int column, int width);
    // Writes one cell with write(stream, 0-based row, 0-based column); a writer failure loses
    // the workbook (WorkbookLost). Then notes the row and the shown width.
    template <typename Write>
    void write(int row, int column, int width, Write&& write);

    XlsxWorkbook& mWorkbook;
    std::string mName;
    QString mNameKey;
    xlsx::SheetWriter* mStream = nullptr;
    CellText mText;
    ColumnWidths mWidths;
    std::vector<ShownNumbers> mShownNumbers;  // by 0-based column
    std::vector<int> mWidened;  // by 0-based column: the characters widenUnfitted gave it
    int mLastRow = 0;
    int mCutCells = 0;
    bool mDeleted = false;
    bool mFitted = false;  // ColumnsAutoFit gave the widths: they are kept as it left them
};

}  // namespace spreadsheet
