// How a SOURCE argument becomes the connection string, the same way the windows build it, and
// the options that say how its tables are read.
#include "programs/quorvane-export/Command.h"

#include <optional>
#include <stdexcept>

#include <QFileInfo>

#include "components/database/Connection.h"
#include "components/files/FileName.h"
#include "modules/foxpro/CodePageSetting.h"
#include "modules/foxpro/Foxpro.h"
#include "modules/foxpro/GivenSource.h"
#include "programs/quorvane-export/RemoteViewsOption.h"

namespace cli {

bool isContainerPath(const QString& source)
{
    return source.endsWith(QLatin1String(".dbc"), Qt::CaseInsensitive);
}

std::optional<foxpro::TableItem> sourceTable(const QString& source)
{
    const foxpro::GivenSource given = foxpro::sourceForGivenPath(source);
    // A mistyped table name says so, rather than being taken for a missing folder or (without
    // a NAME) for wrong arguments.
    if (source.endsWith(QLatin1String(".dbf"), Qt::CaseInsensitive) && !QFileInfo::exists(source))
        throw std::runtime_error("Cannot open the free table file " + source.toStdString() +
                                 ": it does not exist.");
    if (given.table.isEmpty())
        return std::nullopt;
    // Named as the catalogue names a table: the file name without ".dbf", shown.
    return foxpro::TableItem{files::shownFileName(QStringView(given.table).chopped(4)),
                             given.table};
}

foxpro::ConnectionSettings settingsFor(const QString& source, const SourceOptions& options)
{
    foxpro::ConnectionSettings settings;
    settings.isContainer = isContainerPath(source);
    (settings.isContainer ? settings.containerPath : settings.folderPath) = source;
    if (const foxpro::GivenSource given = foxpro::sourceForGivenPath(source);
        !given.table.isEmpty())
        settings.folderPath = given.path;
    settings.unmarkedCodePage = options.codePage;
    return settings;
}

QString connectionStringFor(const QString& source)
{
    return foxpro::BuildFoxproConnectionString(settingsFor(source, {}));
}

std::unique_ptr<database::Connection> openSource(const QString& source,
                                                 const SourceOptions& options)
{
    auto connection = std::make_unique<database::Connection>();
    connection->DefaultCodePage = options.codePage;
    connection->Open(connectionStringFor(source));
    return connection;
}

app::Failures listCatalogue(const QString& source, const SourceOptions& options,
                            foxpro::TableList& tables, app::FailureReport& reports)
{
    return foxpro::AddTablesToFoxproListbox(tables, connectionStringFor(source),
                                            settingsFor(source, options), reports,
                                            openSource(source, options));
}

bool namesSubFolderTable(const QString& source, const QString& name)
{
    return !isContainerPath(source) && !name.contains(QLatin1Char('/'));
}

void checkNoNames(const QString& source, const QStringList& names)
{
    if (!names.isEmpty())
        throw UsageError(source.toStdString() +
                         " is a table itself: name no table after it (or give its folder as "
                         "SOURCE)");
}

QString tableQueryFor(const foxpro::TableList& catalogue, const QString& name)
{
    QStringList below;
    for (const foxpro::TableItem& table : catalogue) {
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

SourceOptions takeSourceOptions(QStringList& arguments)
{
    const QString option = QStringLiteral("--codepage");
    SourceOptions options;
    bool codePageGiven = false;
    for (qsizetype i = 0; i < arguments.size();) {
        QString value;
        if (arguments.at(i) == QLatin1String(kAllowRemoteViews)) {
            options.allowRemoteViews = true;
            arguments.remove(i);
            continue;
        }
        if (arguments.at(i) == option) {
            if (i + 1 == arguments.size())
                throw UsageError("--codepage takes a code page, e.g. --codepage 850");
            value = arguments.at(i + 1);
            arguments.remove(i, 2);
        } else if (arguments.at(i).startsWith(option + QLatin1Char('='))) {
            value = arguments.takeAt(i).mid(option.size() + 1);
        } else {
            ++i;
            continue;
        }
        const std::optional<int> codePage = foxpro::codePageFromText(value);
        if (!codePage)
            throw UsageError("--codepage " + value.toStdString() +
                             ": not a code page quorvane-export reads; choose one of " +
                             foxpro::codePageChoices().toStdString());
        options.codePage = *codePage;
        codePageGiven = true;
    }
    if (!codePageGiven)
        options.codePage = foxpro::readCodePageSetting();  // as the windows read them
    return options;
}

}  // namespace cli
