// The throttled event pump. A ticker thread raises a flag every ~15 ms, so a yield point costs
// one relaxed atomic load; reading a clock costs 20-50 ns on virtual machines, several percent
// of the time a cell takes. Between a raised flag and the next yield the ticker sleeps, so an
// idle program does not wake up.
#include "modules/app/YieldToWindows.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <QCoreApplication>

namespace app {
namespace {

// Long enough that a per-cell call costs nothing, short enough that the window feels live.
constexpr std::chrono::milliseconds kInterval{15};

std::atomic<bool> gDue{true};

void startTicker()
{
    static const bool started = [] {
        std::thread([] {
            for (;;) {
                gDue.wait(true);  // until the raised flag has been taken
                std::this_thread::sleep_for(kInterval);
                gDue.store(true, std::memory_order_relaxed);
            }
        }).detach();
        return true;
    }();
    (void)started;
}

}  // namespace

void YieldToWindows()
{
    if (!gDue.load(std::memory_order_relaxed))
        return;
    startTicker();
    gDue.store(false, std::memory_order_relaxed);
    gDue.notify_one();
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

}  // namespace app
