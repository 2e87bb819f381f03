// Notices and questions with the application title.
#include "modules/app/MessageBox.h"

#include "modules/app/Main.h"

namespace app {

void showMessage(MessageBox& box, const QString& text, int style)
{
    box.show(text, style, AppTitle());
}

bool askQuestion(MessageBox& box, const QString& text)
{
    return box.ask(text, AppTitle());
}

}  // namespace app
