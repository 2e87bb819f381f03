// How a SOURCE argument becomes the connection string, the same way the windows build it.
#include "programs/quorvane-export/Command.h"

#include <stdexcept>

#include "components/database/Connection.h"
#include "modules/foxpro/Foxpro.h"

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

QString tableQueryFor(const QString& source, const QString& name, app::FailureReport& reports)
{
    if (isContainerPath(source) || name.contains(QLatin1Char('/')))
        return name;
    foxpro::TableList tables;
    foxpro::AddTablesToFoxproListbox(tables, connectionStringFor(source), settingsFor(source),
                                     reports, openSource(source));
    QStringList below;
    for (const foxpro::TableItem& table : tables) {
        if (table.text.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!table.query.contains(QLatin1Char('/')))
            return name;  // a table of the folder itself
        below << table.query;
    }
    if (below.size() > 1)
        throw std::runtime_error(
            "tables called " + name.toStdString() + " lie in several sub-folders (" +
            below.join(QStringLiteral(", ")).toStdString() + "); name one of them by its path");
    return below.isEmpty() ? name : below.first();
}

std::unique_ptr<database::Connection> openSource(const QString& source)
{
    auto connection = std::make_unique<database::Connection>();
    connection->Open(connectionStringFor(source));
    return connection;
}

}  // namespace cli
