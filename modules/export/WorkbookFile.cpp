// A workbook file written under a temporary name in the target's folder (so the final rename
// stays on one file system and is atomic), and renamed when the caller says it is complete.
#include "modules/export/WorkbookFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

#include "components/spreadsheet/CacheFolder.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/XlsxWorkbook.h"

namespace exporting {
namespace {

class FileApplication final : public spreadsheet::Application
{
public:
    explicit FileApplication(WorkbookFile& file) : mFile(file) {}

    spreadsheet::Workbook& WorkbooksAdd() override
    {
        // The writer stages each sheet in the private cache folder, as for a hand-over.
        mWorkbook = std::make_unique<spreadsheet::XlsxWorkbook>(mFile.reserveTemporaryFile(),
                                                                spreadsheet::openCacheFolder());
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

// The permissions open() with 0666 would give under the current umask.
std::filesystem::perms newFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<std::filesystem::perms>(0666 & ~mask);
}

}  // namespace

WorkbookFile::WorkbookFile(std::filesystem::path file) : mFile(std::move(file)) {}

WorkbookFile::~WorkbookFile()
{
    if (!mTemporary.empty() && !mCommitted) {
        std::error_code ignored;
        std::filesystem::remove(mTemporary, ignored);
    }
}

spreadsheet::ApplicationFactory WorkbookFile::factory()
{
    return [this] { return std::make_unique<FileApplication>(*this); };
}

std::filesystem::path WorkbookFile::reserveTemporaryFile()
{
    if (!mTemporary.empty())
        throw spreadsheet::SpreadsheetError(mFile.string() + " takes one workbook only.");
    const std::filesystem::path folder = mFile.has_parent_path() ? mFile.parent_path() : ".";
    std::string name = ".";
    name += mFile.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        throw spreadsheet::SpreadsheetError("Cannot create a file in " + folder.string() + " for " +
                                            mFile.filename().string() + ": " +
                                            std::strerror(errno) + ".");
    }
    ::close(descriptor);
    mTemporary = pattern;
    return mTemporary;
}

void WorkbookFile::commit()
{
    if (!mFinished)
        throw std::runtime_error(mFile.string() + " was not written: no workbook was finished.");
    std::error_code error;
    std::filesystem::permissions(mTemporary, newFilePermissions(), error);
    std::filesystem::rename(mTemporary, mFile, error);
    if (error)
        throw std::runtime_error("Cannot write " + mFile.string() + ": " + error.message() + ".");
    mCommitted = true;
}

}  // namespace exporting
