// --allow-remote-views: the batch command's consent to remote views reaching their servers.
// Without it, each remote view is skipped with one line on standard error.
#pragma once

#include <QString>

#include "modules/app/Failure.h"
#include "modules/export/RemoteConsent.h"

namespace database {
class Connection;
}

namespace cli {

inline constexpr char kAllowRemoteViews[] = "--allow-remote-views";

// The export run's consent: every server when the option was given, none otherwise.
class OptionConsent : public exporting::RemoteConsent
{
public:
    explicit OptionConsent(bool allowed) : mAllowed(allowed) {}
    bool allowServers(const std::vector<exporting::RemoteServerUse>&) override { return mAllowed; }
    QString notAllowedReason() const override;

private:
    bool mAllowed;
};

// Before dump opens `name` of `connection`: true when it may go on (not a remote view, a
// remote view refused anyway, which fails as it opens, or the option given, which allows its
// server); false when the view is skipped, reported to `reports` in one line.
bool mayOpenRemoteView(database::Connection& connection, const QString& name, bool allowed,
                       app::FailureReport& reports);

}  // namespace cli
