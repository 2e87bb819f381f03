// The installed message box, and the standard-error box used until one is installed.
#include "modules/app/MessageBox.h"

#include <cstdio>

#include "modules/app/Main.h"

namespace app {
namespace {

class StandardErrorBox : public MessageBox
{
public:
    void show(const QString& text, int style, const QString& title) override
    {
        const char* kind = style == kStyleWarning ? "warning" : "notice";
        std::fprintf(stderr, "%s: %s: %s\n", kind, title.toLocal8Bit().constData(),
                     text.toLocal8Bit().constData());
    }
};

MessageBox*& installedBox()
{
    static MessageBox* box = nullptr;
    return box;
}

}  // namespace

MessageBox& messageBox()
{
    static StandardErrorBox standardError;
    MessageBox* box = installedBox();
    return box ? *box : standardError;
}

void setMessageBox(MessageBox* box)
{
    installedBox() = box;
}

void showMessage(const QString& text, int style)
{
    messageBox().show(text, style, AppTitle());
}

}  // namespace app
