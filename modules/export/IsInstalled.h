// The start-up check that a spreadsheet application ("Excel.Application") can be created.
#pragma once

#include <functional>

#include <QString>

#include "components/spreadsheet/Application.h"

namespace app {
class MessageBox;
}

namespace exporting {

// The advice shown when no spreadsheet application can be created.
QString excelMissingText();

// Creates an application with factory and lets it go at once (never shown, used or told to
// quit). When that fails (it throws anything, or gives no object) shows excelMissingText()
// in box with the application title, OK only and no icon, then calls endProgram, which ends
// the program (app::EndProgram in the program; tests pass a recorder). Never throws.
void CheckExcelInstance(const spreadsheet::ApplicationFactory& factory,
                        const std::function<void()>& endProgram, app::MessageBox& box);

}  // namespace exporting
