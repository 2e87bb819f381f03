// The window program: answers --version and --help, checks for a display, then runs the
// connection setup window with the source its command line names.
#include "windows/QuorvaneProgram.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFile>

#include "modules/app/CommandLine.h"
#include "modules/app/Main.h"
#include "windows/Form1.h"
#include "windows/look/AppIcon.h"
#include "windows/look/QtMessageBox.h"

namespace windows {
namespace {

// The desktop entry's name, so a Wayland compositor and the task bar tie the windows to it.
constexpr char kDesktopFileName[] = "io.github.quorvane.Quorvane";
constexpr int kWrongArguments = 2;

bool haveDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    return arguments;
}

// --version and --help, answered without a display; false when the line asks for neither.
bool answeredAtOnce(const app::CommandLine& line)
{
    if (line.action == app::CommandLine::Action::ShowVersion) {
        std::printf("quorvane %s\n", app::productVersion());
        return true;
    }
    if (line.action == app::CommandLine::Action::ShowHelp) {
        std::fputs(app::commandLineHelp().toLocal8Bit().constData(), stdout);
        return true;
    }
    return false;
}

}  // namespace

int runQuorvane(int argc, char* argv[])
{
    // Read once before Qt takes out its own options, which only the application object knows.
    if (answeredAtOnce(app::readCommandLine(argumentsOf(argc, argv))))
        return EXIT_SUCCESS;
    if (!haveDisplay()) {
        std::fputs(
            "Quorvane is a desktop program and needs a display: start it in a desktop "
            "session, or under a virtual one with xvfb-run -a quorvane\n",
            stderr);
        return EXIT_FAILURE;
    }
    QApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QString::fromLatin1(app::productVersion()));
    const app::CommandLine line = app::readCommandLine(argumentsOf(argc, argv));
    if (line.action == app::CommandLine::Action::Refuse) {
        std::fprintf(stderr, "quorvane: %s; see quorvane --help\n",
                     line.problem.toLocal8Bit().constData());
        return kWrongArguments;
    }
    application.setWindowIcon(look::applicationIcon());
    look::QtMessageBox messageBox;
    Form1 form{Form1Services::standard(messageBox)};
    form.Form_Load(line.path);  // may end the program (no spreadsheet program)
    form.showAfterLoad();
    return application.exec();
}

}  // namespace windows
