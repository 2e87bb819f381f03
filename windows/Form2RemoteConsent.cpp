// The question before a run's remote views reach their servers, asked in the window.
#include "windows/Form2RemoteConsent.h"

#include "modules/app/MessageBox.h"
#include "modules/export/ExportTexts.h"

namespace exporting {

bool Form2RemoteConsent::allowServers(const std::vector<RemoteServerUse>& servers)
{
    return app::askQuestion(mBox, remoteServersQuestion(servers));
}

QString Form2RemoteConsent::notAllowedReason() const
{
    return answeredNoReason();
}

}  // namespace exporting
