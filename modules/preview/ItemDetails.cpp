// Tooltip details through a connection kept open between hovers.
#include "modules/preview/ItemDetails.h"

#include <exception>

#include "components/database/Connection.h"
#include "components/rows/DatabaseError.h"
#include "modules/foxpro/Foxpro.h"
#include "modules/preview/PreviewTexts.h"

namespace preview {

ItemDetails::ItemDetails(std::function<foxpro::ConnectionSettings()> settings)
    : mSettings(std::move(settings))
{}

ItemDetails::~ItemDetails() = default;

QString ItemDetails::text(const QString& query)
{
    if (!mConnection) {
        try {
            mConnection = foxpro::connectFoxpro(mSettings());
        } catch (const std::exception& error) {
            return sourceUnreadableText(QString::fromUtf8(error.what()));
        }
    }
    try {
        return detailsText(mConnection->details(query));
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
}

void ItemDetails::forget()
{
    mConnection.reset();
}

}  // namespace preview
