// A worksheet of an XlsxWorkbook. Its libxlsxwriter sheet is created only when its first cell
// arrives (or when the workbook is finished), because the library fixes a sheet's name and
// place at creation; until then the sheet can be renamed and deleted freely.
#pragma once

#include <string>
#include <vector>

#include <QString>

#include "components/spreadsheet/CellText.h"
#include "components/spreadsheet/ColumnWidths.h"
#include "components/spreadsheet/Worksheet.h"

struct lxw_worksheet;

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
    void writeBoolean(int row, int column, bool value) override;
    void writeDate(int row, int column, const CellDate& date) override;
    int cutCells() const override;
    void ColumnsAutoFit() override;
    void Delete() override;

    // For the workbook.
    const QString& nameKey() const { return mNameKey; }
    const std::string& currentName() const { return mName; }
    lxw_worksheet* stream() const { return mStream; }
    void attachStream(lxw_worksheet* stream) { mStream = stream; }
    void markDeleted() { mDeleted = true; }
    // Widest content per 0-based column when Columns.AutoFit was last called (empty: never).
    const std::vector<int>& fittedWidths() const { return mFitted; }

private:
    void checkAlive() const;
    void checkWritable() const;
    // Checks the cell's place (see Worksheet) and returns the sheet's stream to write it to.
    lxw_worksheet* cellStream(int row, int column);
    // After a write: throws on the library's error, else notes the row and the shown width.
    void written(int row, int column, int result, int width);

    XlsxWorkbook& mWorkbook;
    std::string mName;
    QString mNameKey;
    lxw_worksheet* mStream = nullptr;
    CellText mText;
    ColumnWidths mWidths;
    std::vector<int> mFitted;
    int mLastRow = 0;
    int mCutCells = 0;
    bool mDeleted = false;
};

}  // namespace spreadsheet
