// Parsing of the provider connection string. The path inside it is never quoted, so the
// parse anchors on the fixed keys around it rather than splitting on ";".
#include "components/database/ConnectionString.h"

#include "components/rows/DatabaseError.h"

namespace database {

namespace {

const QString kProviderKey = QStringLiteral("Provider=");
const QString kDataSourceKey = QStringLiteral("Data Source=");
const QString kCollatingKey = QStringLiteral(";Collating Sequence=");

[[noreturn]] void fail(const QString& text, const char* problem)
{
    throw rows::DatabaseError("The connection string \"" + text.toStdString() + "\" " + problem);
}

}  // namespace

ConnectionString parseConnectionString(const QString& text)
{
    if (!text.startsWith(kProviderKey, Qt::CaseInsensitive))
        fail(text, "does not start with \"Provider=\".");
    const qsizetype providerEnd = text.indexOf(QLatin1Char(';'), kProviderKey.size());
    if (providerEnd < 0)
        fail(text,
             "has nothing after the provider; it needs \"Data Source=\" and "
             "\"Collating Sequence=\".");

    ConnectionString parts;
    parts.provider = text.mid(kProviderKey.size(), providerEnd - kProviderKey.size());
    if (parts.provider.compare(QLatin1String("vfpoledb.1"), Qt::CaseInsensitive) != 0 &&
        parts.provider.compare(QLatin1String("vfpoledb"), Qt::CaseInsensitive) != 0)
        fail(text, "names a provider other than vfpoledb.1, the only one offered.");

    const qsizetype sourceStart = providerEnd + 1;
    if (QStringView(text)
            .mid(sourceStart, kDataSourceKey.size())
            .compare(kDataSourceKey, Qt::CaseInsensitive) != 0)
        fail(text, "has no \"Data Source=\" after the provider.");
    const qsizetype pathStart = sourceStart + kDataSourceKey.size();
    const qsizetype collatingAt = text.lastIndexOf(kCollatingKey, -1, Qt::CaseInsensitive);
    if (collatingAt < pathStart)
        fail(text, "has no \";Collating Sequence=\" after the data source.");

    parts.dataSource = text.mid(pathStart, collatingAt - pathStart);
    if (parts.dataSource.isEmpty())
        fail(text, "names no data source: give the path of a .dbc file or of a folder.");

    QString collating = text.mid(collatingAt + kCollatingKey.size());
    if (collating.endsWith(QLatin1Char(';')))
        collating.chop(1);
    if (collating.isEmpty())
        fail(text, "names no collating sequence.");
    if (collating.contains(QLatin1Char(';')))
        fail(text, "has unexpected text after the collating sequence.");
    parts.collatingSequence = collating;
    return parts;
}

}  // namespace database
