// The listing of matching files in one folder, and the test that a name is an openable file.
// A file link counts only when it leads to a file inside the chosen tree.
#include <sys/stat.h>
#include <stdexcept>

#include <QFile>

#include "components/files/FileName.h"
#include "modules/fs/AddFolder.h"
#include "modules/fs/DirectoryReader.h"
#include "modules/fs/NameOrder.h"
#include "modules/fs/TreeBounds.h"

namespace fs {
namespace {

bool isLink(const DirectoryReader& reader, const char* name)
{
    struct stat status = {};
    return reader.statEntry(name, status, false) && S_ISLNK(status.st_mode);
}

}  // namespace

QString FileNameArray::at(int index) const
{
    if (mNames.isEmpty() && index == 0)
        return QString();
    if (index < 1 || index > upperBound())
        throw std::out_of_range("Subscript out of range: index " + std::to_string(index) +
                                " of a file-name array with bounds " +
                                std::to_string(lowerBound()) + " to " +
                                std::to_string(upperBound()));
    return mNames[index - 1];
}

bool matchesFilePattern(QStringView name, QStringView pattern)
{
    // Greedy match with one back-track point: the last "*" seen and where it resumed.
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') ||
                                          pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

bool IsExistingFile(const QString& path)
{
    try {
        // Opening with O_PATH (no access right asked, nothing read, no wait on a FIFO)
        // succeeds exactly when the path resolves, which is what stat checks in one call
        // instead of open, fstat and close.
        struct stat status = {};
        return stat(files::fileNameBytes(path).constData(), &status) == 0 &&
               S_ISREG(status.st_mode);
    } catch (...) {
        return false;
    }
}

FileNameArray GetFilesInFolder(const QString& folder, const QString& pattern,
                               const TreeBounds& tree)
{
    QString prefix = folder;
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    QStringList names;
    DirectoryReader reader(files::fileNameBytes(prefix));
    DirectoryReader::Entry entry{};
    while (reader.next(entry)) {
        if (entry.type == DT_DIR)
            continue;
        // Decoded without loss: a name that is not valid UTF-8 still names its file.
        const QString name = files::fileNameText(entry.name);
        if (matchesFilePattern(name, pattern) && IsExistingFile(prefix + name) &&
            (entry.type == DT_REG || !isLink(reader, entry.name) || tree.holdsFile(prefix + name)))
            names.append(name);
    }
    sortInListingOrder(names);
    return FileNameArray(std::move(names));
}

}  // namespace fs
