// The shared QApplication of window tests.
#include "support/GuiApp.h"

#include <QApplication>

namespace testsupport {

void ensureGuiApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "quorvane-test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

}  // namespace testsupport
