#include "programs/quorvane-export/OneLineReports.h"

#include <cstdio>

namespace cli {

void OneLineReports::report(const app::Failure& failure)
{
    const QString description =
        failure.description.section(QLatin1Char('\r'), 0, 0).section(QLatin1Char('\n'), 0, 0);
    std::fprintf(stderr, "quorvane-export: %s\n", description.toUtf8().constData());
}

}  // namespace cli
