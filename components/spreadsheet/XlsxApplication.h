// The real "Excel.Application": workbooks written as .xlsx files in the private cache folder,
// handed to the spreadsheet program when the application is made visible.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "components/spreadsheet/Application.h"
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
    SpreadsheetProgram mProgram;
    std::filesystem::path mFolder;
    std::vector<std::unique_ptr<XlsxWorkbook>> mWorkbooks;
    bool mVisible = false;
};

}  // namespace spreadsheet
