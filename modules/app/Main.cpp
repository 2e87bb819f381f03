// File tests, the application title and version, the program folder and the end of the
// program.
#include "modules/app/Main.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>

#include "components/files/FileName.h"

namespace app {
namespace {

// Longest application title; longer names lose words from their end.
constexpr qsizetype kMaxTitleLength = 40;

QString& appTitle()
{
    static QString title = QString::fromLatin1(kProductName);
    return title;
}

QString& programFolderOverride()
{
    static QString folder;
    return folder;
}

// stat() follows links, as the modification time and attributes of the path named are meant.
bool statPath(const QString& path, struct stat& info)
{
    if (path.isEmpty())
        return false;
    const QByteArray encoded = files::fileNameBytes(path);
    if (encoded.contains('\0'))
        return false;
    return ::stat(encoded.constData(), &info) == 0;
}

}  // namespace

bool FileExists(const QString& path)
{
    struct stat info
    {
    };
    return statPath(path, info);
}

std::optional<bool> IsFolder(const QString& path)
{
    struct stat info
    {
    };
    if (!statPath(path, info))
        return std::nullopt;
    return S_ISDIR(info.st_mode);
}

QString appTitleFor(const QString& productName)
{
    qsizetype space = productName.lastIndexOf(QLatin1Char(' '));
    if (space < 0)
        return productName;  // nothing to cut: the whole name is the title
    QString title = productName.left(space);
    while (title.size() > kMaxTitleLength) {
        space = title.lastIndexOf(QLatin1Char(' '));
        if (space < 0)
            break;  // one long word left; cutting further would leave nothing
        title = title.left(space);
    }
    return title;
}

void SetAppTitle()
{
    appTitle() = appTitleFor(QString::fromLatin1(kProductName));
}

const char* productVersion()
{
    return QUORVANE_VERSION;  // the build passes the project's version to this file alone
}

QString AppTitle()
{
    return appTitle();
}

QString programFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? QString() : files::fileNameText(executable.parent_path().c_str());
}

void setProgramFolderForTesting(const QString& folder)
{
    programFolderOverride() = folder;
}

void EndProgram()
{
    // Settings are already on disk; nothing else may run, not even window close handlers.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace app
