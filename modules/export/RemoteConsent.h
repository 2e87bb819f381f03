// How the export run asks before remote views reach their servers: the window asks the user,
// the batch command answers from its command line, tests answer as told.
#pragma once

#include <vector>

#include <QString>
#include <QStringList>

namespace exporting {

// One server the ticked remote views would reach, and those views.
struct RemoteServerUse
{
    QString server;     // its connect string as it would be sent, each password as ***
    QStringList views;  // the list texts of the views, in list order
};

class RemoteConsent
{
public:
    virtual ~RemoteConsent() = default;
    // Asked once per run, before its first table, when ticked remote views would reach servers
    // (views refused for their connect string or SQL are not among them). True lets the run
    // connect to every one of `servers`; false skips their views, each with one report.
    virtual bool allowServers(const std::vector<RemoteServerUse>& servers) = 0;
    // How a skipped view's report says why: "you did not allow it".
    virtual QString notAllowedReason() const = 0;
};

}  // namespace exporting
