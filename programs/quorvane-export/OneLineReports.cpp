#include "programs/quorvane-export/OneLineReports.h"

#include <cstdio>

#include "programs/quorvane-export/TerminalProgress.h"
#include "programs/quorvane-export/TerminalText.h"

namespace cli {

void OneLineReports::report(const app::Failure& failure)
{
    if (mProgress)
        mProgress->clear();
    const QString description =
        failure.description.section(QLatin1Char('\r'), 0, 0).section(QLatin1Char('\n'), 0, 0);
    std::fprintf(stderr, "quorvane-export: %s\n",
                 withoutControls(description.toUtf8().toStdString()).c_str());
}

}  // namespace cli
