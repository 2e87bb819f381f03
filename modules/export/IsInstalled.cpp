// The spreadsheet check: a probe application created and dropped; advice and the end otherwise.
#include "modules/export/IsInstalled.h"

#include "modules/app/MessageBox.h"

namespace exporting {

QString excelMissingText()
{
    const QString paragraphBreak = QStringLiteral("\r\n\r\n");
    return QStringLiteral("Error 842001. A normal instance of Excel could not be created.") +
           paragraphBreak +
           QStringLiteral("1. Please make sure Excel is installed on this computer.") +
           paragraphBreak +
           QStringLiteral(
               "2. Please open Excel normally and make sure a blank spreadsheet opens "
               "immediately without any interrupting window (such as an Excel file "
               "recovery window).") +
           paragraphBreak +
           QStringLiteral(
               "3. Please make sure that when you double-click on a XLS or XLSX file "
               "that Excel opens normally without any interrupting messages.") +
           paragraphBreak +
           QStringLiteral(
               "4. All versions of Excel are supported by this software except for "
               "the rare Excel Starter and Student editions.");
}

void CheckExcelInstance(const spreadsheet::ApplicationFactory& factory,
                        const std::function<void()>& endProgram, app::MessageBox& box)
{
    // Every failure here is swallowed: the only outcomes are nothing, or the advice and the end.
    bool created = false;
    try {
        created = factory && factory() != nullptr;
    } catch (...) {
    }
    if (created)
        return;
    try {
        app::showMessage(box, excelMissingText(), app::kStyleOkOnly);
    } catch (...) {
    }
    endProgram();
}

}  // namespace exporting
