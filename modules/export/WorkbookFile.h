// The workbook of an export written to a file the caller names, instead of being handed to the
// spreadsheet program: the batch command's -o, tests and benchmarks. "Visible = True" finishes
// the workbook under a temporary name beside the file; it takes the file's name only when the
// caller commits it, so a failed export never leaves a half-written file under that name.
//
//     exporting::WorkbookFile output{"/data/orders.xlsx"};
//     const ExportOutcome outcome = RunExport({settings, list, output.factory()}, progress);
//     if (outcome.handedOver && outcome.tablesIncomplete == 0)
//         output.commit();   // otherwise the destructor removes the temporary file
#pragma once

#include <filesystem>
#include <memory>

#include "components/spreadsheet/Application.h"

namespace exporting {

class WorkbookFile
{
public:
    explicit WorkbookFile(std::filesystem::path file);
    // Removes the temporary file unless it was committed.
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;

    // Applications whose workbook is written to the temporary file. WorkbooksAdd throws
    // SpreadsheetError when the temporary file cannot be created beside the file, and for a
    // second workbook of this file; Visible = True throws when the workbook cannot be finished.
    // The WorkbookFile must outlive the applications.
    spreadsheet::ApplicationFactory factory();

    // True once an application finished the workbook.
    bool finished() const { return mFinished; }

    // Renames the finished workbook to the file, replacing one that is there, with the
    // permissions a newly created file gets. Throws std::runtime_error naming the file when no
    // workbook was finished or the rename fails.
    void commit();

    // Used by the applications.
    std::filesystem::path reserveTemporaryFile();
    void markFinished() { mFinished = true; }

private:
    std::filesystem::path mFile;
    std::filesystem::path mTemporary;
    bool mFinished = false;
    bool mCommitted = false;
};

}  // namespace exporting
