// The window program: the application object, the Qt message box behind the port, and the
// connection setup window, whose load is the whole start-up.
#pragma once

namespace windows {

// Runs the program until its last window is closed; returns the exit status. Without a
// display it says so on standard error and returns a failure at once.
int RunQuorvane(int argc, char* argv[]);

}  // namespace windows
