// When the export shows a progress text and lets the window system in: about every 15 ms.
// The clock is read once per kCallsPerClockRead calls, so a call in the per-cell loop costs a
// decrement and a branch.
#pragma once

#include <chrono>

namespace exporting {

class ProgressTicker
{
public:
    // Long enough that texts are built only when someone can read them; short enough that the
    // window stays live (the window pump throttles to the same interval).
    static constexpr std::chrono::milliseconds kInterval{15};
    // A cell costs well under a microsecond; 32 cells stay far below the interval.
    static constexpr int kCallsPerClockRead = 32;

    // True about every kInterval; the first call of a ticker is always due.
    bool due()
    {
        if (--mCountdown > 0)
            return false;
        mCountdown = kCallsPerClockRead;
        const auto now = std::chrono::steady_clock::now();
        if (now - mLast < kInterval)
            return false;
        mLast = now;
        return true;
    }

private:
    int mCountdown = 1;
    std::chrono::steady_clock::time_point mLast{};
};

}  // namespace exporting
