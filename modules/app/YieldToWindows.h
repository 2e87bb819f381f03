// Lets the window system process pending events, at most every ~15 ms, so a yield point in a
// hot loop costs one atomic load and nothing more.
#pragma once

namespace app {

void YieldToWindows();

}  // namespace app
