// Failures of handlers that have no error report: passed to the statement or shown once.
#include "modules/app/UnguardedEvents.h"

#include "modules/app/Failure.h"
#include "modules/app/MessageBox.h"
#include "modules/app/ReportingProcedure.h"

#include <utility>

namespace app {

void UnguardedEvents::programChange(const std::function<void()>& change)
{
    ++mProgramChanges;
    try {
        change();
    } catch (...) {
        --mProgramChanges;
        mPending = nullptr;
        throw;
    }
    --mProgramChanges;
    if (mPending && mProgramChanges == 0)
        std::rethrow_exception(std::exchange(mPending, nullptr));
}

void UnguardedEvents::run(const std::function<void()>& handler)
{
    try {
        handler();
        mLastShown.clear();
    } catch (...) {
        if (mProgramChanges > 0) {
            if (!mPending)
                mPending = std::current_exception();
            return;
        }
        const QString description = currentFailureDescription();
        if (description == mLastShown)
            return;
        mLastShown = description;
        mBox.show(description, kStyleWarning, QString::fromLatin1(kErrorReportTitle));
    }
}

}  // namespace app
