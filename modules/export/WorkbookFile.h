// The workbook of an export written to a file the caller names, instead of being handed to the
// spreadsheet program: the batch command's -o, tests and benchmarks. The workbook is written
// into an unnamed file in the target's folder, through the descriptor made for it; it takes
// the file's name only when the caller commits it, so a failed or killed export leaves neither
// a half-written file under that name nor a temporary one beside it.
//
//     exporting::WorkbookFile output{"/data/orders.xlsx"};
//     const ExportOutcome outcome = runExport({settings, list, output.factory()}, progress);
//     if (outcome.handedOver && outcome.tablesIncomplete == 0)
//         output.commit();   // otherwise the destructor drops the file
#pragma once

#include <filesystem>
#include <memory>

#include "components/spreadsheet/Application.h"
#include "components/spreadsheet/PendingFile.h"

namespace exporting {

class WorkbookFile
{
public:
    explicit WorkbookFile(std::filesystem::path file);
    // Drops the workbook's file unless it was committed.
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;

    // Applications whose workbook is written for the file. WorkbooksAdd throws
    // SpreadsheetError when the file is a folder or no file can be created in its folder, and
    // for a second workbook of this file; Visible = True throws when the workbook cannot be
    // finished. The WorkbookFile must outlive the applications.
    spreadsheet::ApplicationFactory factory();

    // True once an application finished the workbook.
    bool finished() const { return mFinished; }

    // Flushes the finished workbook to disk and puts it in place of the file in one step,
    // keeping the permissions of a file that is there (else those a new file gets). Throws
    // std::runtime_error naming the file when no workbook was finished or it cannot be saved;
    // a file that was there stays as it was then.
    void commit();

    // Used by the applications.
    spreadsheet::PendingFile& createFile();
    const std::filesystem::path& path() const { return mFile; }
    void markFinished() { mFinished = true; }

private:
    std::filesystem::path mFile;
    std::unique_ptr<spreadsheet::PendingFile> mPending;
    bool mFinished = false;
};

}  // namespace exporting
