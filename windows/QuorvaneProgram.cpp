// The window program: checks for a display, then runs the connection setup window.
#include "windows/QuorvaneProgram.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "windows/Form1.h"
#include "windows/look/AppIcon.h"
#include "windows/look/QtMessageBox.h"

namespace windows {
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

int RunQuorvane(int argc, char* argv[])
{
    if (!haveDisplay()) {
        std::fputs(
            "Quorvane is a desktop program and needs a display: start it in a desktop "
            "session, or under a virtual one with xvfb-run -a quorvane\n",
            stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    application.setWindowIcon(app::applicationIcon());
    app::QtMessageBox messageBox;
    foxpro::Form1 form{foxpro::Form1Services::standard(messageBox)};
    form.Form_Load();  // may end the program (no spreadsheet program)
    form.showAfterLoad();
    return application.exec();
}

}  // namespace windows
