// What --allow-remote-views allows, for export and for dump.
#include "programs/quorvane-export/RemoteViewsOption.h"

#include "components/database/Connection.h"
#include "modules/export/ExportTexts.h"

namespace cli {

QString OptionConsent::notAllowedReason() const
{
    return QStringLiteral("quorvane-export connects to servers only with ") +
           QLatin1String(kAllowRemoteViews);
}

bool mayOpenRemoteView(database::Connection& connection, const QString& name, bool allowed,
                       app::FailureReport& reports)
{
    const database::RemoteUse use = connection.remoteUse(name);
    if (!use.remote || !use.refusal.empty())
        return true;
    if (allowed) {
        connection.allowRemoteServers({use.server});
        return true;
    }
    reports.report({0, QString(),
                    exporting::remoteViewSkippedText(name, QString::fromStdString(use.server),
                                                     OptionConsent(false).notAllowedReason())});
    return false;
}

}  // namespace cli
