// Finding and starting the spreadsheet program. The .xlsx handler is looked up the way
// xdg-mime does: mimeapps.list in the config and applications folders, then mimeinfo.cache,
// and a handler counts only when its desktop entry exists.
#include "components/spreadsheet/SpreadsheetProgram.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"

namespace spreadsheet {

namespace {

const QString kXlsxMimeType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

// The environment as this process started, taken before main and so before any data was read:
// what a library sets later (an ODBC driver manager or driver told to by a connect string, say:
// LD_PRELOAD, a configuration path) never reaches the program started.
const QProcessEnvironment kStartEnvironment = QProcessEnvironment::systemEnvironment();

// Desktop entries listed for the .xlsx type in one mimeapps.list or mimeinfo.cache file.
QStringList handlersIn(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString key = kXlsxMimeType + QLatin1Char('=');
    QStringList handlers;
    bool associations = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            associations = line != QLatin1String("[Removed Associations]");
        else if (associations && line.startsWith(key))
            handlers += line.mid(key.size()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return handlers;
}

bool hasXlsxHandler()
{
    QStringList lists;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists += folder + QStringLiteral("/mimeapps.list");
    const QStringList applicationFolders =
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : applicationFolders)
        lists +=
            {folder + QStringLiteral("/mimeapps.list"), folder + QStringLiteral("/mimeinfo.cache")};
    for (const QString& list : lists) {
        for (const QString& handler : handlersIn(list)) {
            for (const QString& folder : applicationFolders) {
                if (QFile::exists(folder + QLatin1Char('/') + handler))
                    return true;
            }
        }
    }
    return false;
}

}  // namespace

SpreadsheetProgram SpreadsheetProgram::find()
{
    for (const QString& name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return {path, {QStringLiteral("--calc"), QStringLiteral("-n")}};
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty() && hasXlsxHandler())
        return {opener, {}};
    throw SpreadsheetError(messages::noSpreadsheetProgram());
}

void SpreadsheetProgram::open(const std::filesystem::path& file) const
{
    // Absolute, so a file name that starts with "-" is never read as an option.
    const QString path = QString::fromStdString(std::filesystem::absolute(file).string());
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments + QStringList{path});
    process.setProcessEnvironment(kStartEnvironment);
    if (!process.startDetached())
        throw SpreadsheetError(messages::programNotStarted(program.toStdString(), file.string()));
}

}  // namespace spreadsheet
