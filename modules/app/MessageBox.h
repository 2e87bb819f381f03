// The port through which the windows show message boxes, so tests can record them. Each
// window is given the box it shows through; nothing is installed globally.
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
    // Asks a Yes/No question in a modal box whose default answer is No (Enter, Escape and
    // closing the box answer No); true for Yes.
    virtual bool ask(const QString& text, const QString& title) = 0;
};

// Shows text through box with the style and the application title (AppTitle()), as every
// notice does.
void showMessage(MessageBox& box, const QString& text, int style = kStyleOkOnly);
// Asks through box with the application title; true for Yes.
bool askQuestion(MessageBox& box, const QString& text);

}  // namespace app
