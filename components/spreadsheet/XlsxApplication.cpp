// Hand-over: finish each new workbook, make its file read-only (the copy in the cache folder is
// not the user's document), and open it in the spreadsheet program.
#include "components/spreadsheet/XlsxApplication.h"

#include "components/spreadsheet/CacheFolder.h"

namespace spreadsheet {

XlsxApplication::XlsxApplication(SpreadsheetProgram program, std::filesystem::path folder)
    : mProgram(std::move(program)), mFolder(std::move(folder))
{}

Workbook& XlsxApplication::WorkbooksAdd()
{
    mWorkbooks.push_back(std::make_unique<XlsxWorkbook>(reserveWorkbookFile(mFolder), mFolder));
    return *mWorkbooks.back();
}

void XlsxApplication::setVisible(bool visible)
{
    if (visible) {
        for (const auto& workbook : mWorkbooks) {
            if (workbook->isClosed())
                continue;
            workbook->close();
            std::error_code ignored;
            std::filesystem::permissions(workbook->file(), std::filesystem::perms::owner_read,
                                         ignored);
            mProgram.open(workbook->file());
        }
    }
    mVisible = visible;
}

ApplicationFactory defaultApplicationFactory()
{
    return []() -> std::unique_ptr<Application> {
        SpreadsheetProgram program = SpreadsheetProgram::find();
        return std::make_unique<XlsxApplication>(std::move(program), openCacheFolder());
    };
}

}  // namespace spreadsheet
