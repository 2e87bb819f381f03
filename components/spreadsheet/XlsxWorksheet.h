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
    bool setCells(int row, int column, std::string_view text, CellKind kind) override;
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
