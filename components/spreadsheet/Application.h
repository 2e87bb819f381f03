// "Excel.Application": creates workbooks and, when made visible, hands them to the desktop's
// spreadsheet program as new untitled documents. The application owns its workbooks.
#pragma once

#include <functional>
#include <memory>

#include "components/spreadsheet/Workbook.h"

namespace spreadsheet {

class Application
{
public:
    virtual ~Application();

    // Workbooks.add: a new workbook with one empty sheet "Sheet1", owned by the application.
    // Throws SpreadsheetError when the workbook's file cannot be started.
    virtual Workbook& WorkbooksAdd() = 0;

    // Visible: false until set; a new application is hidden.
    virtual bool Visible() const = 0;

    // Visible = True finishes every workbook not yet handed over and opens it in the spreadsheet
    // program, which the user then owns; afterwards those workbooks take no more cells. Throws
    // SpreadsheetError when a workbook cannot be finished or the program cannot be started (in
    // both cases nothing of that workbook is handed over). Visible = False only clears the flag.
    virtual void setVisible(bool visible) = 0;
};

// Creates a new hidden application. Calling it throws SpreadsheetError, with a description
// saying what to install, when no spreadsheet program could take the workbook.
using ApplicationFactory = std::function<std::unique_ptr<Application>()>;

// The real application: writes .xlsx files (rows stream to disk, memory stays flat) in the
// private cache folder $XDG_CACHE_HOME/quorvane (else ~/.cache/quorvane, mode 0700) and opens
// them with LibreOffice ("soffice" found on PATH, started as soffice --calc -n FILE so the user
// gets a new untitled document), else with the desktop's handler for .xlsx files (xdg-open).
// Creating it throws SpreadsheetError when neither exists. Files left from runs older than a
// day are removed when an application is created.
ApplicationFactory defaultApplicationFactory();

}  // namespace spreadsheet
