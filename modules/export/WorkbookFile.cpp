// A workbook file created unnamed in the target's folder (so naming it stays on one file system
// and takes one step) and named when the caller says it is complete.
#include "modules/export/WorkbookFile.h"

#include <stdexcept>

#include <sys/stat.h>

#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/spreadsheet/XlsxWorkbook.h"

namespace exporting {
namespace {

class FileApplication final : public spreadsheet::Application
{
public:
    explicit FileApplication(WorkbookFile& file) : mFile(file) {}

    spreadsheet::Workbook& WorkbooksAdd() override
    {
        spreadsheet::PendingFile& pending = mFile.createFile();
        mWorkbook = std::make_unique<spreadsheet::XlsxWorkbook>(pending.descriptor(),
                                                                mFile.path().string());
        return *mWorkbook;
    }

    bool Visible() const override { return mVisible; }

    void setVisible(bool visible) override
    {
        if (visible && mWorkbook && !mWorkbook->isClosed()) {
            mWorkbook->close();
            mFile.markFinished();
        }
        mVisible = visible;
    }

private:
    WorkbookFile& mFile;
    std::unique_ptr<spreadsheet::XlsxWorkbook> mWorkbook;
    bool mVisible = false;
};

}  // namespace

WorkbookFile::WorkbookFile(std::filesystem::path file) : mFile(std::move(file)) {}

WorkbookFile::~WorkbookFile() = default;

spreadsheet::ApplicationFactory WorkbookFile::factory()
{
    return [this] { return std::make_unique<FileApplication>(*this); };
}

spreadsheet::PendingFile& WorkbookFile::createFile()
{
    if (mPending)
        throw spreadsheet::SpreadsheetError(mFile.string() + " takes one workbook only.");
    // Said before the export rather than after it: the file cannot take the name of a folder.
    struct stat status
    {
    };
    if (::stat(mFile.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        throw spreadsheet::SpreadsheetError(spreadsheet::messages::targetIsFolder(mFile.string()));
    mPending = std::make_unique<spreadsheet::PendingFile>(
        mFile.has_parent_path() ? mFile.parent_path() : std::filesystem::path("."));
    return *mPending;
}

void WorkbookFile::commit()
{
    if (!mFinished)
        throw std::runtime_error(mFile.string() + " was not written: no workbook was finished.");
    try {
        mPending->replace(mFile.filename().string());
    } catch (const spreadsheet::SpreadsheetError& error) {
        throw std::runtime_error(error.what());
    }
}

}  // namespace exporting
