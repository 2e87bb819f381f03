// The question before remote views reach their servers, asked in the window.
#include "windows/Form2RemoteConsent.h"

#include "modules/app/MessageBox.h"
#include "modules/export/ExportTexts.h"

namespace windows {

bool Form2RemoteConsent::allowServers(const std::vector<exporting::RemoteServerUse>& servers)
{
    return app::askQuestion(mBox, mQuestion(servers));
}

QString Form2RemoteConsent::notAllowedReason() const
{
    return exporting::answeredNoReason();
}

}  // namespace windows
