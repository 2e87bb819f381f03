// The shared QApplication of window tests.
#include "tests/support/GuiApp.h"

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
    // Never destroyed: a static QApplication would go after Qt's own globals (the input device
    // list that synthetic mouse events fill) and crash the binary on its way out.
    static QApplication* app = new QApplication(argc, argv);
    Q_UNUSED(app);
}

}  // namespace testsupport

// The application lives until the process ends, and with it fontconfig's caches, which
// LeakSanitizer would otherwise report as leaks of every window test.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
