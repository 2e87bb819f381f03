// Form2's answer before remote views reach their servers: one Yes/No question through the
// window's message box, "No" the default.
#pragma once

#include "modules/export/RemoteConsent.h"

namespace app {
class MessageBox;
}

namespace windows {

class Form2RemoteConsent : public exporting::RemoteConsent
{
public:
    explicit Form2RemoteConsent(app::MessageBox& box) : mBox(box) {}
    // Shows remoteServersQuestion(servers); true for "Yes".
    bool allowServers(const std::vector<exporting::RemoteServerUse>& servers) override;
    QString notAllowedReason() const override;

private:
    app::MessageBox& mBox;
};

}  // namespace windows
