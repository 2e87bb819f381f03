// A workbook streamed into an .xlsx file by our own writer (components/xlsx): each sheet's rows
// go straight into the file, deflated on a second thread, so memory stays flat and no
// temporary file is needed whatever the number of rows or sheets.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "components/spreadsheet/Workbook.h"
#include "components/spreadsheet/XlsxWorksheet.h"
#include "components/xlsx/WorkbookWriter.h"
#include "components/xlsx/XlsxError.h"

namespace spreadsheet {

class XlsxWorkbook final : public Workbook
{
public:
    // Starts a workbook with one sheet "Sheet1" that close() completes in the file open at
    // descriptor (read and write, empty; the caller keeps it open and names the file when
    // complete). fileName is how messages name the file.
    XlsxWorkbook(int descriptor, std::string fileName);
    ~XlsxWorkbook() override;
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    int WorksheetsCount() const override;
    Worksheet& Worksheets(int index) override;
    Worksheet& ActiveSheet() override;
    Worksheet& WorksheetsAdd() override;

    // Completes the file: every sheet in tab order, the active sheet. Afterwards the workbook
    // takes no more changes and no longer uses the file. Throws SpreadsheetError (WorkbookLost
    // when the file cannot be written); the file is then incomplete and must be dropped.
    void close();
    bool isClosed() const { return mState != State::Open; }

    // For the sheets.
    void checkWritable() const;
    // Throws SpreadsheetError when a sheet other than `renamed` carries key.
    void checkNameFree(const QString& key, std::string_view name,
                       const XlsxWorksheet& renamed) const;
    // Creates the writer's sheet of `sheet`, and of every sheet before it that has none yet, so
    // the tabs keep their order. Returns the sheet's writer.
    xlsx::SheetWriter& startStreaming(XlsxWorksheet& sheet);
    xlsx::Format dateFormat(bool withTime) const
    {
        return withTime ? mDateTimeFormat : mDateFormat;
    }
    // The format of numbers shown with `decimals` (0 to kMaxShownDecimals) decimals, made on
    // first use; General for 0. Throws as a cell write does when the file is lost.
    xlsx::Format decimalsFormat(int decimals);
    void deleteSheet(XlsxWorksheet& sheet);
    // Rethrows a writer's error as this component's, noting a lost workbook.
    [[noreturn]] void failed(const xlsx::XlsxError& error);

private:
    enum class State { Open, Closed, Failed };

    std::size_t indexOf(const XlsxWorksheet& sheet) const;

    std::unique_ptr<xlsx::WorkbookWriter> mWriter;  // until closed
    xlsx::Format mDateFormat;
    xlsx::Format mDateTimeFormat;
    std::array<xlsx::Format, kMaxShownDecimals + 1> mDecimalsFormats;  // General: not made yet
    std::vector<std::unique_ptr<XlsxWorksheet>> mSheets;
    std::vector<std::unique_ptr<XlsxWorksheet>> mDeletedSheets;  // kept so references stay valid
    std::size_t mStreamedSheets = 0;  // sheets with a writer's sheet: always the first ones
    XlsxWorksheet* mActive = nullptr;
    int mNextDefaultNumber = 1;
    State mState = State::Open;
};

}  // namespace spreadsheet
