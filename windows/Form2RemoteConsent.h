// The windows' answer before remote views reach their servers: one Yes/No question through the
// window's message box, "No" the default; the export's question unless another is given.
#pragma once

#include <functional>

#include "modules/export/ExportTexts.h"
#include "modules/export/RemoteConsent.h"

namespace app {
class MessageBox;
}

namespace windows {

class Form2RemoteConsent : public exporting::RemoteConsent
{
public:
    using Question = std::function<QString(const std::vector<exporting::RemoteServerUse>&)>;

    explicit Form2RemoteConsent(app::MessageBox& box,
                                Question question = exporting::remoteServersQuestion)
        : mBox(box), mQuestion(std::move(question))
    {}
    // Shows the question about servers; true for "Yes".
    bool allowServers(const std::vector<exporting::RemoteServerUse>& servers) override;
    QString notAllowedReason() const override;

private:
    app::MessageBox& mBox;
    Question mQuestion;
};

}  // namespace windows
