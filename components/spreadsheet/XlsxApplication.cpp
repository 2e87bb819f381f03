// Hand-over: finish each new workbook, give its file a name in the cache folder, read-only
// (the copy there is not the user's document), and open it in the spreadsheet program.
#include "components/spreadsheet/XlsxApplication.h"

#include "components/spreadsheet/CacheFolder.h"

namespace spreadsheet {

namespace {

constexpr mode_t kHandedOverPermissions = 0400;

}  // namespace

XlsxApplication::XlsxApplication(SpreadsheetProgram program, std::filesystem::path folder)
    : mProgram(std::move(program)), mFolder(std::move(folder))
{}

Workbook& XlsxApplication::WorkbooksAdd()
{
    Document document;
    document.file = std::make_unique<PendingFile>(mFolder);
    document.workbook =
        std::make_unique<XlsxWorkbook>(document.file->descriptor(), "in " + mFolder.string());
    mDocuments.push_back(std::move(document));
    return *mDocuments.back().workbook;
}

void XlsxApplication::setVisible(bool visible)
{
    if (visible) {
        for (Document& document : mDocuments) {
            if (!document.file)
                continue;
            // Finished or failed, the workbook no longer uses its file; release it either way.
            std::unique_ptr<PendingFile> file = std::move(document.file);
            document.workbook->close();
            mProgram.open(file->nameUniquely(workbookFilePrefix(), kWorkbookFileSuffix,
                                             kHandedOverPermissions));
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
