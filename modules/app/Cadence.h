// The one clock of long work: about every 15 ms a yield point lets the window system in and a
// progress text is shown. One ticker thread counts ticks; each Cadence remembers the last tick
// it took, so asking in a hot loop costs one relaxed atomic load. While nobody takes a tick
// the ticker sleeps, so an idle program does not wake up.
#pragma once

#include <chrono>
#include <cstdint>

namespace app {

class Cadence
{
public:
    // Long enough that texts are built and events processed only when someone can see them;
    // short enough that the window feels live.
    static constexpr std::chrono::milliseconds kInterval{15};

    Cadence();

    // True once per tick: about every kInterval. The first call of a new cadence is due.
    bool due();

private:
    std::uint32_t mTaken;
};

}  // namespace app
