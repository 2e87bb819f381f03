// How a SOURCE argument becomes the connection string, the same way the windows build it.
#include "programs/quorvane-export/Command.h"

#include "components/database/Connection.h"

namespace cli {

bool isContainerPath(const QString& source)
{
    return source.endsWith(QLatin1String(".dbc"), Qt::CaseInsensitive);
}

foxpro::ConnectionSettings settingsFor(const QString& source)
{
    foxpro::ConnectionSettings settings;
    settings.option1 = isContainerPath(source);
    (settings.option1 ? settings.text1 : settings.text2) = source;
    return settings;
}

QString connectionStringFor(const QString& source)
{
    return foxpro::BuildFoxproConnectionString(settingsFor(source));
}

std::unique_ptr<database::Connection> openSource(const QString& source)
{
    auto connection = std::make_unique<database::Connection>();
    connection->Open(connectionStringFor(source));
    return connection;
}

}  // namespace cli
