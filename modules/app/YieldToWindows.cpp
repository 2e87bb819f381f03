// The throttled event pump: events are processed when the cadence is due, so a yield point in
// a hot loop costs one atomic load and nothing more.
#include "modules/app/YieldToWindows.h"

#include <QCoreApplication>

#include "modules/app/Cadence.h"

namespace app {

void YieldToWindows()
{
    static Cadence cadence;
    if (cadence.due() && QCoreApplication::instance())
        QCoreApplication::processEvents();
}

}  // namespace app
