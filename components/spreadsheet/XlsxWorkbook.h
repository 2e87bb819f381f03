// A workbook streamed to an .xlsx file with libxlsxwriter in constant-memory mode: rows go to
// temporary files as they are written, so memory stays flat whatever the number of rows.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "components/spreadsheet/Workbook.h"
#include "components/spreadsheet/XlsxWorksheet.h"

struct lxw_workbook;
struct lxw_format;
struct lxw_worksheet;

namespace spreadsheet {

class XlsxWorkbook final : public Workbook
{
public:
    // Starts a workbook with one sheet "Sheet1" that close() writes to file; the writer's
    // temporary files go to tempFolder. Throws SpreadsheetError when the writer cannot start.
    XlsxWorkbook(std::filesystem::path file, const std::filesystem::path& tempFolder);
    // A workbook never closed is dropped: its temporary files are released, file is removed.
    ~XlsxWorkbook() override;
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    int WorksheetsCount() const override;
    Worksheet& Worksheets(int index) override;
    Worksheet& ActiveSheet() override;
    Worksheet& WorksheetsAdd() override;

    // Finishes the file: every sheet in tab order, fitted widths, the active sheet. Afterwards
    // the workbook takes no more changes. Throws SpreadsheetError when the file cannot be
    // written; the partial file is removed then.
    void close();
    bool isClosed() const { return mState != State::Open; }
    const std::filesystem::path& file() const { return mFile; }

    // For the sheets.
    void checkWritable() const;
    // Throws SpreadsheetError when a sheet other than `renamed` carries key.
    void checkNameFree(const QString& key, std::string_view name,
                       const XlsxWorksheet& renamed) const;
    // Creates the libxlsxwriter sheet of `sheet`, and of every sheet before it that has none
    // yet, so the tabs keep their order. Returns the sheet's stream.
    lxw_worksheet* startStreaming(XlsxWorksheet& sheet);
    lxw_format* dateFormat(bool withTime) const { return withTime ? mDateTimeFormat : mDateFormat; }
    void deleteSheet(XlsxWorksheet& sheet);

private:
    enum class State { Open, Closed, Failed };

    std::size_t indexOf(const XlsxWorksheet& sheet) const;
    void releaseWriter();

    std::filesystem::path mFile;
    std::string mTempFolder;  // libxlsxwriter keeps the pointer
    lxw_workbook* mWriter = nullptr;
    lxw_format* mDateFormat = nullptr;
    lxw_format* mDateTimeFormat = nullptr;
    std::vector<std::unique_ptr<XlsxWorksheet>> mSheets;
    std::vector<std::unique_ptr<XlsxWorksheet>> mDeletedSheets;  // kept so references stay valid
    std::size_t mStreamedSheets = 0;  // sheets with a libxlsxwriter sheet: always the first ones
    XlsxWorksheet* mActive = nullptr;
    int mNextDefaultNumber = 1;
    State mState = State::Open;
};

}  // namespace spreadsheet
