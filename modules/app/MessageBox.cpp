// Notices with the application title.
#include "modules/app/MessageBox.h"

#include "modules/app/Main.h"

namespace app {

void showMessage(MessageBox& box, const QString& text, int style)
{
    box.show(text, style, AppTitle());
}

}  // namespace app
