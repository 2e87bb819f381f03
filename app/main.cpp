// Quorvane: starts the connection setup window, whose load is the whole start-up.
#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "app/AppIcon.h"
#include "app/QtMessageBox.h"
#include "foxpro/Form1.h"

namespace {

bool haveDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!haveDisplay()) {
        std::fputs("Quorvane is a desktop program and needs a display: start it in a desktop "
                   "session, or under a virtual one with xvfb-run -a quorvane\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    application.setWindowIcon(app::applicationIcon());
    app::QtMessageBox messageBox;
    app::setMessageBox(&messageBox);

    foxpro::Form1 form{foxpro::Form1Services::standard()};
    form.Form_Load();  // may end the program (no spreadsheet program)
    form.showAfterLoad();
    return application.exec();
}
