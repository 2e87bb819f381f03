#include "programs/quorvane-export/OneLineReports.h"

#include <cstdio>

namespace cli {

OneLineReports::OneLineReports()
{
    app::setMessageBox(this);
}

OneLineReports::~OneLineReports()
{
    app::setMessageBox(nullptr);
}

void OneLineReports::show(const QString& text, int, const QString&)
{
    const QString description = text.section(QLatin1Char('\r'), 0, 0).section(QLatin1Char('\n'), 0, 0);
    std::fprintf(stderr, "quorvane-export: %s\n", description.toUtf8().constData());
    ++mShown;
}

}  // namespace cli
