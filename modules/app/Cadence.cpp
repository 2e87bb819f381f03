#include "modules/app/Cadence.h"

#include <atomic>
#include <thread>

namespace app {
namespace {

std::atomic<std::uint32_t> gTick{0};
std::atomic<bool> gWanted{false};  // a tick was taken: the ticker counts the next one

void startTicker()
{
    static const bool started = [] {
        std::thread([] {
            for (;;) {
                gWanted.wait(false);
                gWanted.store(false, std::memory_order_relaxed);
                std::this_thread::sleep_for(Cadence::kInterval);
                gTick.fetch_add(1, std::memory_order_relaxed);
            }
        }).detach();
        return true;
    }();
    (void)started;
}

}  // namespace

Cadence::Cadence() : mTaken(gTick.load(std::memory_order_relaxed) - 1)
{
    startTicker();
}

bool Cadence::due()
{
    const std::uint32_t tick = gTick.load(std::memory_order_relaxed);
    if (tick == mTaken)
        return false;
    mTaken = tick;
    gWanted.store(true, std::memory_order_relaxed);
    gWanted.notify_one();
    return true;
}

}  // namespace app
