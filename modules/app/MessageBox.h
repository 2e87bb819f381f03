// The one port through which the program shows message boxes, so tests can record them.
#pragma once

#include <QString>

namespace app {

// Style values as the program passes them: 0 = OK button only, no icon; 48 = OK only with
// the warning (exclamation mark) icon.
constexpr int kStyleOkOnly = 0;
constexpr int kStyleWarning = 48;

class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // Shows a modal box and returns when the user has dismissed it.
    virtual void show(const QString& text, int style, const QString& title) = 0;
};

// The box every part of the program uses. Until setMessageBox() is called it writes the
// message to standard error (the batch command keeps that one).
MessageBox& messageBox();

// Installs the box that messageBox() returns; the caller keeps ownership and must keep it
// alive while it is installed. nullptr goes back to the standard-error box.
void setMessageBox(MessageBox* box);

// Shows text with the style and the application title (AppTitle()), as every notice does.
void showMessage(const QString& text, int style = kStyleOkOnly);

}  // namespace app
