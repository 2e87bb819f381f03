// The message-box port shown with QMessageBox.
#pragma once

#include "modules/app/MessageBox.h"

namespace look {

// Style 48 shows the warning icon, 0 no icon; always the OK button only. A question has the
// question icon, Yes and No, and No as its default and Escape's answer. The box belongs to the
// active window, so it is modal for the program.
class QtMessageBox : public app::MessageBox
{
public:
    void show(const QString& text, int style, const QString& title) override;
    bool ask(const QString& text, const QString& title) override;
};

// The text as a Qt label shows it: CR LF and a lone CR become line breaks, so the error
// report's CR CR reads as an empty line, as on the system the texts were written for.
QString displayText(const QString& text);

}  // namespace look
