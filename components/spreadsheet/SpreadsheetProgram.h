// The desktop program that takes a finished workbook: LibreOffice Calc, else the desktop's
// handler for .xlsx files.
#pragma once

#include <filesystem>

#include <QString>
#include <QStringList>

namespace spreadsheet {

struct SpreadsheetProgram
{
    QString program;        // absolute path of the executable
    QStringList arguments;  // given before the file

    // "soffice" (or "libreoffice") found on PATH, opening the file as a new untitled document
    // (--calc -n FILE); else "xdg-open" on PATH when a desktop entry handles .xlsx files.
    // Throws SpreadsheetError when there is neither.
    static SpreadsheetProgram find();

    // Starts the program on file (made absolute, so it never reads as an option), detached,
    // without a shell, and with the environment this process had when it started: a variable
    // set since, by whatever library, is not passed on. Throws SpreadsheetError when it cannot
    // be started.
    void open(const std::filesystem::path& file) const;
};

}  // namespace spreadsheet
