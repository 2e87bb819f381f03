// The preview's texts, kept together so that tests can compare them byte for byte.
#include "modules/preview/PreviewTexts.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include "components/files/FileName.h"
#include "components/rows/AdoType.h"
#include "modules/export/ExportTexts.h"

namespace preview {
namespace {

// A grid cell shows this many characters; the whole value is shown when the cell is selected.
constexpr qsizetype kGridCharacters = 200;
// A tooltip shows this much of a view's SQL.
constexpr qsizetype kSqlCharacters = 200;

QString number(std::uint64_t value)
{
    return QLocale(QLocale::English).toString(static_cast<qulonglong>(value));
}

QString recordsLine(const database::ObjectDetails& details)
{
    QString line = QStringLiteral("Records: ") + number(details.records);
    if (details.headerRecords != details.records)
        line += QStringLiteral(" (the header counts %1; the file holds no more)")
                    .arg(number(details.headerRecords));
    return line;
}

QString codePageLine(const database::ObjectDetails& details)
{
    return details.codePageMarked
               ? QStringLiteral("Code page: %1, marked in the table").arg(details.codePage)
               : QStringLiteral("Code page: %1, chosen for tables without a mark")
                     .arg(details.codePage);
}

QString firstLine(const std::string& sql)
{
    const QString text = QString::fromUtf8(sql).trimmed();
    qsizetype end = 0;
    while (end < text.size() && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
        ++end;
    if (end > kSqlCharacters)
        return text.left(kSqlCharacters) + QChar(0x2026);
    return end < text.size() ? text.left(end) + QStringLiteral(" ") + QChar(0x2026) : text;
}

}  // namespace

QString detailsText(const database::ObjectDetails& details)
{
    using Kind = database::ObjectDetails::Kind;
    if (details.kind != Kind::Table) {
        const QString kind = details.kind == Kind::LocalView
                                 ? QStringLiteral("Local view")
                                 : QStringLiteral("Remote view: its rows come from a server");
        return kind + QStringLiteral("\n") + firstLine(details.sql);
    }
    const QString path = files::fileNameText(details.file.native());
    if (!details.failure.empty())
        return path + QStringLiteral("\nIts header cannot be read: ") +
               QString::fromStdString(details.failure);
    const QString changed = QDateTime::fromSecsSinceEpoch(details.lastChange)
                                .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return QStringList{path,
                       recordsLine(details),
                       QStringLiteral("Fields: ") + number(std::uint64_t(details.fields)),
                       QStringLiteral("File size: %1 bytes").arg(number(details.fileSize)),
                       QStringLiteral("Last change: ") + changed,
                       codePageLine(details)}
        .join(QLatin1Char('\n'));
}

QString sourceUnreadableText(const QString& reason)
{
    return QStringLiteral("The source cannot be opened: ") + reason;
}

QString recordHeaderText(long number, bool deleted)
{
    return deleted ? QStringLiteral("%1 deleted").arg(number) : QString::number(number);
}

QString gridText(const QString& whole)
{
    QString text = whole.left(kGridCharacters + 1);
    text.replace(QStringLiteral("\r\n"), QString(QChar(0x21B5)));
    text.replace(QLatin1Char('\n'), QChar(0x21B5));
    text.replace(QLatin1Char('\r'), QChar(0x21B5));
    if (whole.size() > kGridCharacters)
        text = text.left(kGridCharacters) + QChar(0x2026);
    return text;
}

QString fieldColumnTitle(int column)
{
    static const char* const kTitles[] = {"Field", "Type", "Width", "Decimals", "Null"};
    return column >= 0 && column < 5 ? QString::fromLatin1(kTitles[column]) : QString();
}

QString fieldTypeName(int adoType)
{
    switch (adoType) {
        case rows::adChar:
            return QStringLiteral("Character");
        case rows::adBinary:
            return QStringLiteral("Character (binary)");
        case rows::adVarChar:
            return QStringLiteral("Varchar");
        case rows::adVarBinary:
            return QStringLiteral("Varbinary");
        case rows::adLongVarChar:
            return QStringLiteral("Memo");
        case rows::adLongVarBinary:
            return QStringLiteral("General, Blob or binary Memo");
        case rows::adNumeric:
        case rows::adDecimal:
            return QStringLiteral("Numeric");
        case rows::adSmallInt:
        case rows::adInteger:
        case rows::adBigInt:
            return QStringLiteral("Integer");
        case rows::adSingle:
        case rows::adDouble:
            return QStringLiteral("Double");
        case rows::adCurrency:
            return QStringLiteral("Currency");
        case rows::adDate:
        case rows::adDBDate:
            return QStringLiteral("Date");
        case rows::adDBTime:
            return QStringLiteral("Time");
        case rows::adDBTimeStamp:
            return QStringLiteral("DateTime");
        case rows::adBoolean:
            return QStringLiteral("Logical");
        case rows::adWChar:
        case rows::adVarWChar:
        case rows::adLongVarWChar:
        case rows::adGUID:
            return QStringLiteral("Text");
        default:
            return QStringLiteral("Type %1").arg(adoType);
    }
}

QString yesNo(bool yes)
{
    return yes ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString codePageLabel(int codePage)
{
    struct Name
    {
        int codePage;
        const char* name;
    };
    static const Name kNames[] = {
        {437, "DOS (United States)"},
        {850, "DOS Latin 1 (Western Europe)"},
        {852, "DOS Latin 2 (Central Europe)"},
        {866, "DOS Cyrillic (Russian)"},
        {874, "Thai"},
        {932, "Japanese (Shift-JIS)"},
        {936, "Chinese Simplified (GBK)"},
        {949, "Korean"},
        {950, "Chinese Traditional (Big5)"},
        {1250, "Windows Central Europe"},
        {1251, "Windows Cyrillic"},
        {1252, "Windows Latin 1 (Western Europe)"},
        {1253, "Windows Greek"},
        {1254, "Windows Turkish"},
        {1257, "Windows Baltic"},
    };
    for (const Name& entry : kNames) {
        if (entry.codePage == codePage)
            return QStringLiteral("%1 - %2").arg(codePage).arg(QLatin1String(entry.name));
    }
    return QString::number(codePage);
}

QString markedCodePageText(int codePage)
{
    return QStringLiteral("Its text is read as %1, as the table's header says.")
        .arg(codePageLabel(codePage));
}

QString tableStatusText(long records, long shown)
{
    QString text = QStringLiteral("%1 records; those marked deleted are not copied.")
                       .arg(number(std::uint64_t(records)));
    if (shown < records)
        text += QStringLiteral(" The grid shows the first %1.").arg(number(std::uint64_t(shown)));
    return text;
}

QString viewStatusText(long rows, long kept, bool ended)
{
    if (kept >= rows)
        return QStringLiteral("%1 rows.").arg(number(std::uint64_t(rows)));
    if (ended)
        return QStringLiteral("%1 rows; the preview shows the first %2, the export copies all.")
            .arg(number(std::uint64_t(rows)), number(std::uint64_t(kept)));
    return QStringLiteral("%1 rows; more are read as you scroll.").arg(number(std::uint64_t(rows)));
}

QString cannotPreviewText(const QString& reason)
{
    return QStringLiteral("Nothing to show: ") + reason;
}

QString stoppedText()
{
    return QStringLiteral("Stopped before the view's rows were read.");
}

QString remoteNotAllowedText(const QString& server)
{
    return QStringLiteral("Not shown: the view reads from the server ") + server +
           QStringLiteral(", and ") + exporting::answeredNoReason() + QLatin1Char('.');
}

QString remoteServerQuestion(const std::vector<exporting::RemoteServerUse>& servers)
{
    return QStringLiteral(
               "This view reads its rows from a database server. Quorvane connects to it only if "
               "you allow it, sending exactly this (passwords shown as ***):\r\n") +
           exporting::remoteServersList(servers) +
           QStringLiteral(
               "\r\nConnect to this server to preview the view? \"No\" shows nothing of it.");
}

QString windowTitle(const QString& item)
{
    return QStringLiteral("Preview: ") + item;
}

}  // namespace preview
