// The throttled event pump: one coarse clock read per call, events at most every ~15 ms.
#include "app/YieldToWindows.h"

#include <ctime>

#include <QCoreApplication>

namespace app {
namespace {

// Long enough that a per-cell call costs nothing, short enough that the window feels live.
constexpr long kIntervalNs = 15'000'000;

long nowNs()
{
    // The coarse clock is read from the vDSO without a system call (a few nanoseconds); its
    // resolution of a few milliseconds is ample for a 15 ms interval.
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return now.tv_sec * 1'000'000'000L + now.tv_nsec;
}

}  // namespace

void YieldToWindows()
{
    static long lastNs = 0;
    const long now = nowNs();
    if (now - lastNs < kIntervalNs)
        return;
    lastNs = now;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

}  // namespace app
