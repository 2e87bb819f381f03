// The real "Excel.Application": workbooks written as .xlsx files in the private cache folder,
// handed to the spreadsheet program when the application is made visible.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "components/spreadsheet/Application.h"
#include "components/spreadsheet/PendingFile.h"
#include "components/spreadsheet/SpreadsheetProgram.h"
#include "components/spreadsheet/XlsxWorkbook.h"

namespace spreadsheet {

class XlsxApplication final : public Application
{
public:
    XlsxApplication(SpreadsheetProgram program, std::filesystem::path folder);

    Workbook& WorkbooksAdd() override;
    bool Visible() const override { return mVisible; }
    void setVisible(bool visible) override;

private:
    // A workbook and its file, unnamed until the hand-over; the workbook goes first.
    struct Document
    {
        std::unique_ptr<PendingFile> file;
        std::unique_ptr<XlsxWorkbook> workbook;
    };

    SpreadsheetProgram mProgram;
    std::filesystem::path mFolder;
    std::vector<Document> mDocuments;
    bool mVisible = false;
};

}  // namespace spreadsheet
