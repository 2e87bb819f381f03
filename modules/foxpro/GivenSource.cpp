// A path handed to the program, read as the kind of source and the path the window shows.
#include "modules/foxpro/GivenSource.h"

#include <QDir>
#include <QFileInfo>

namespace foxpro {
namespace {

const QLatin1String kContainerExtension(".dbc");
const QLatin1String kTableExtension(".dbf");

bool hasExtension(const QString& path, QLatin1String extension)
{
    return path.endsWith(extension, Qt::CaseInsensitive);
}

}  // namespace

GivenSource sourceForGivenPath(const QString& path)
{
    const QFileInfo file(path);
    GivenSource source;
    // Cleaned of "." and ".." parts and a trailing "/", so the stored setting and the
    // catalogue's relative paths come out as the "..." buttons would give them.
    source.path = QDir::cleanPath(file.absoluteFilePath());
    if (hasExtension(path, kContainerExtension)) {
        source.isContainer = true;
    } else if (hasExtension(path, kTableExtension) && file.isFile()) {
        source.path = QDir::cleanPath(file.absolutePath());
        source.table = file.fileName();  // the catalogue's query: the file name exactly
    }
    return source;
}

bool isSourcePath(const QString& path)
{
    const QFileInfo file(path);
    if (file.isDir())
        return true;
    return file.isFile() &&
           (hasExtension(path, kContainerExtension) || hasExtension(path, kTableExtension));
}

}  // namespace foxpro
