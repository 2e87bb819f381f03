// ODBC calls that block (SQLExecDirect, SQLFetch) while a server works for as long as its data
// makes it. Such a call runs on a thread of its own while the calling thread waits and asks
// its KeepGoing; told to stop, it cancels the statement with SQLCancel, as ODBC lets another
// thread do, and the blocked call returns. The SQLite driver, like most, offers no
// asynchronous mode to poll instead.
//
//   SQLRETURN rc = SQL_SUCCESS;
//   runCancellable(statement, keepGoing, [&](const CallStop&) { rc = SQLExecDirect(...); });
//   runCancellable(statement, keepGoing, [&](const CallStop& stop) {
//       while (!stop.asked() && SQLFetch(...) == SQL_SUCCESS) ...;
//   });
#pragma once

#include <atomic>
#include <chrono>
#include <functional>

#include "components/odbc/OdbcHandle.h"
#include "components/rows/KeepGoing.h"

namespace odbc {

// What a call running on its own thread may ask between its steps.
class CallStop
{
public:
    bool asked() const { return mAsked.load(std::memory_order_relaxed); }
    void ask() { mAsked.store(true, std::memory_order_relaxed); }

private:
    std::atomic<bool> mAsked{false};
};

// How often the waiting thread asks keepGoing.
constexpr std::chrono::milliseconds kAskInterval{10};
// How long a call told to stop may take to notice it between its own steps before its
// statement is cancelled: cancelling while the driver is between two calls gains nothing.
constexpr std::chrono::milliseconds kCancelAfter{50};

// Runs call on a thread of its own and waits for it, asking keepGoing every kAskInterval.
// Once keepGoing says to stop, the CallStop reads asked(), and if the call has not ended
// kCancelAfter later, SQLCancel goes to statement from a helper thread (a driver manager set to
// serialise all calls would otherwise hold the waiting thread until the call ends). Without
// keepGoing the call runs on this thread. Rethrows what call threw; throws Stopped when
// keepGoing said to stop, whatever the call did.
void runCancellable(const Handle& statement, const rows::KeepGoing& keepGoing,
                    const std::function<void(const CallStop&)>& call);

}  // namespace odbc
