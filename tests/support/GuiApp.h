// One QApplication for the whole test binary (offscreen platform), created on first use.
#pragma once

namespace testsupport {

// Creates the application object the first time; later calls do nothing.
void ensureGuiApp();

}  // namespace testsupport
