// The waiting side of a blocking ODBC call: a worker thread, a clock, and SQLCancel.
#include "components/odbc/CancellableCall.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include <sql.h>

namespace odbc {

void runCancellable(const Handle& statement, const rows::KeepGoing& keepGoing,
                    const std::function<void(const CallStop&)>& call)
{
    CallStop stop;
    if (!keepGoing) {
        call(stop);
        return;
    }
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            call(stop);
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard<std::mutex> lock(mutex);
        done = true;
        ended.notify_one();
    });

    std::thread canceller;
    std::chrono::steady_clock::time_point stopAt;
    std::unique_lock<std::mutex> lock(mutex);
    while (!done) {
        ended.wait_for(lock, kAskInterval);
        if (done)
            break;
        lock.unlock();
        if (!stop.asked()) {
            bool goOn = false;
            try {
                goOn = keepGoing();
            } catch (...) {
                goOn = false;
            }
            if (!goOn) {
                stop.ask();
                stopAt = std::chrono::steady_clock::now() + kCancelAfter;
            }
        } else if (!canceller.joinable() && std::chrono::steady_clock::now() >= stopAt) {
            canceller = std::thread([&statement] { SQLCancel(statement.get()); });
        }
        lock.lock();
    }
    lock.unlock();
    worker.join();
    if (canceller.joinable())
        canceller.join();
    if (stop.asked())
        throw rows::Stopped();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace odbc
