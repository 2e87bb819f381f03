// Ends the test program, saying what did not end, when work that a test stops is still going
// after two minutes: a stop that fails would otherwise hang the test.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace testsupport {

class Watchdog
{
public:
    explicit Watchdog(std::string what)
        : mThread([this, what = std::move(what)] {
              std::unique_lock<std::mutex> lock(mMutex);
              if (!mEnded.wait_for(lock, std::chrono::minutes(2), [this] { return mDone; })) {
                  std::fprintf(stderr, "%s did not end\n", what.c_str());
                  std::abort();
              }
          })
    {}
    ~Watchdog()
    {
        {
            const std::lock_guard<std::mutex> lock(mMutex);
            mDone = true;
        }
        mEnded.notify_one();
        mThread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mMutex;
    std::condition_variable mEnded;
    bool mDone = false;
    std::thread mThread;  // last: starts once the rest is made
};

}  // namespace testsupport
