// Event handlers without an error report of their own (text change, option click).
#pragma once

#include <exception>
#include <functional>

#include <QString>

namespace app {

// Qt cannot carry an exception out of a signal, so handlers run through this object:
// - set off by a change the program makes inside a numbered statement, a handler's failure is
//   that statement's failure: programChange() rethrows it after the change;
// - set off by the user, the failure is shown as a warning ("Application Error"), once until a
//   handler succeeds again, so typing into a box whose setting cannot be saved does not raise
//   a box per keystroke.
class MessageBox;

class UnguardedEvents
{
public:
    // box: where a failure set off by the user is shown; the caller keeps it alive.
    explicit UnguardedEvents(MessageBox& box) : mBox(box) {}

    // Makes a change whose signals may run handlers; rethrows the first handler failure.
    void programChange(const std::function<void()>& change);

    // Runs one event handler.
    void run(const std::function<void()>& handler);

private:
    MessageBox& mBox;
    int mProgramChanges = 0;
    std::exception_ptr mPending;
    QString mLastShown;
};

}  // namespace app
