// The window program: the application object, the Qt message box behind the port, and the
// connection setup window, whose load is the whole start-up.
#pragma once

namespace windows {

// Runs the program until its last window is closed; returns the exit status. --version and
// --help print and return 0 at once, with or without a display. Without a display it says so on
// standard error and returns 1; wrong arguments are said on standard error and return 2.
int runQuorvane(int argc, char* argv[]);

}  // namespace windows
