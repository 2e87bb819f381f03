// The uniform error report's text and box.
#include "modules/app/ErrorReport.h"

#include "modules/app/MessageBox.h"

namespace app {

QString reportLocation(const char* module, const char* procedure, const char* projectTag)
{
    return QStringLiteral("in ") + QLatin1String(projectTag) + QLatin1Char('.') +
           QLatin1String(module) + QLatin1Char('.') + QLatin1String(procedure) + QLatin1Char(' ');
}

QString errorReportText(const QString& description, const QString& location, int line)
{
    return description + QStringLiteral("\r\n") + location + QStringLiteral("at line ") +
           QString::number(line) + QStringLiteral("\r\r") +
           QStringLiteral("Please email screenshot of this message to ") +
           QString::fromLatin1(kSupportEmail);
}

void ErrorReportBox::report(const Failure& failure)
{
    mBox.show(errorReportText(failure.description, failure.location, failure.statement),
              kStyleWarning, failure.title);
}

}  // namespace app
