// Feeds bytes to the connection-string parser: byte 0 chooses how the rest becomes a QString
// (even: UTF-8, invalid bytes included; odd: raw UTF-16, lone surrogates included).
// DatabaseError is the expected answer to a bad string; its message must stay valid UTF-8.
// An accepted string must read back exactly: "Provider=P;Data Source=D;Collating Sequence=C"
// with an optional final ";", keys in any case, D non-empty and taken as written, C
// non-empty without ";"; and parsing that rebuilt string gives the same parts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QString>

#include "components/database/ConnectionString.h"
#include "components/rows/DatabaseError.h"

namespace {

[[noreturn]] void finding(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s\nconnection string: %s\n", what, text.toUtf8().constData());
    std::abort();
}

bool isValidUtf8(const std::string& bytes)
{
    // Qt's decoder marks every ill-formed sequence with U+FFFD; reencoding then differs.
    return QString::fromUtf8(bytes).toUtf8() == QByteArray::fromStdString(bytes);
}

QString textOf(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || data[0] % 2 == 0)
        return QString::fromUtf8(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0),
                                 static_cast<qsizetype>(size > 0 ? size - 1 : 0));
    QString text;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        text.append(QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8))));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = textOf(data, size);
    database::ConnectionString parts;
    try {
        parts = database::parseConnectionString(text);
    } catch (const rows::DatabaseError& error) {
        if (!isValidUtf8(error.what()))
            finding("the error message is not valid UTF-8", text);
        return 0;
    }
    if (parts.provider.compare(QLatin1String("vfpoledb.1"), Qt::CaseInsensitive) != 0 &&
        parts.provider.compare(QLatin1String("vfpoledb"), Qt::CaseInsensitive) != 0)
        finding("accepted another provider", text);
    if (parts.dataSource.isEmpty())
        finding("accepted no data source", text);
    if (parts.collatingSequence.isEmpty() || parts.collatingSequence.contains(QLatin1Char(';')))
        finding("accepted a collating sequence that is empty or holds \";\"", text);

    const QString rebuilt = QStringLiteral("Provider=") + parts.provider +
                            QStringLiteral(";Data Source=") + parts.dataSource +
                            QStringLiteral(";Collating Sequence=") + parts.collatingSequence;
    if (text.compare(rebuilt, Qt::CaseInsensitive) != 0 &&
        text.compare(rebuilt + QLatin1Char(';'), Qt::CaseInsensitive) != 0)
        finding("the parts do not make up the string", text);
    const qsizetype pathStart = qsizetype{9} + parts.provider.size() + 13;
    if (text.mid(pathStart, parts.dataSource.size()) != parts.dataSource)
        finding("the data source is not the text as written", text);

    const database::ConnectionString again = database::parseConnectionString(rebuilt);
    if (again.provider != parts.provider || again.dataSource != parts.dataSource ||
        again.collatingSequence != parts.collatingSequence)
        finding("the rebuilt string parses to other parts", text);
    return 0;
}
