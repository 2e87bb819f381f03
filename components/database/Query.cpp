// Recognises the export's query. Anything else is refused rather than half understood: the
// component is no SQL engine, and a wrong table read silently would be worse than an error.
#include "components/database/Query.h"

#include "components/rows/DatabaseError.h"

namespace database {

QString tableNameFromQuery(const QString& query)
{
    static const QString kPrefix = QStringLiteral("SELECT * FROM `");
    const QChar backQuote = QLatin1Char('`');
    if (!query.startsWith(kPrefix, Qt::CaseInsensitive) || query.size() < kPrefix.size() + 2 ||
        !query.endsWith(backQuote))
        throw rows::DatabaseError("The query \"" + query.toStdString() +
                                  "\" is not supported; only SELECT * FROM `table` is.");
    return query.mid(kPrefix.size(), query.size() - kPrefix.size() - 1);
}

}  // namespace database
