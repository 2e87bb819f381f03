// The attribute word of a folder from lstat, stat and the stored DOS attributes.
#include "fs/FolderAttributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <cerrno>

#include <QDir>
#include <QFile>

#include "fs/FileSystemError.h"

namespace fs {
namespace {

// The stored bits the attribute word carries; the others (not indexed, offline, ...) are not
// part of a folder's attributes as the walk reads them.
constexpr std::uint32_t kStoredBits =
    ReadOnly | Hidden | System | Archive | ReparsePoint | Compressed;

// Enough for Samba's record (the hex text and up to a few dozen bytes of binary record).
constexpr std::size_t kXattrBufferSize = 256;

std::optional<std::uint32_t> storedDosAttributes(const QByteArray& path)
{
    char buffer[kXattrBufferSize];
    ssize_t size = getxattr(path.constData(), "user.DOSATTRIB", buffer, sizeof buffer);
    if (size >= 0) {
        if (auto bits = dosAttributesFromSamba(QByteArrayView(buffer, size)))
            return bits;
    }
    size = getxattr(path.constData(), "system.ntfs_attrib_be", buffer, sizeof buffer);
    if (size >= 0)
        return dosAttributesFromNtfs(QByteArrayView(buffer, size));
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> dosAttributesFromSamba(QByteArrayView value)
{
    const qsizetype end = value.indexOf('\0');
    const QByteArrayView text = end < 0 ? value : value.first(end);
    if (text.size() < 3 || text.size() > 10 || !text.startsWith("0x"))
        return std::nullopt;
    bool ok = false;
    const std::uint32_t bits = text.sliced(2).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return bits;
}

std::optional<std::uint32_t> dosAttributesFromNtfs(QByteArrayView value)
{
    if (value.size() != 4)
        return std::nullopt;
    const auto byte = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(value[i]));
    };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

std::uint32_t folderAttributes(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);  // without the slash, lstat looks at a link itself, not at its target
    const QByteArray bytes = QFile::encodeName(trimmed);

    struct stat status
    {
    };
    if (lstat(bytes.constData(), &status) != 0)
        throw errnoError(errno, path);
    std::uint32_t word = S_ISLNK(status.st_mode) ? std::uint32_t{ReparsePoint} : 0u;
    if (S_ISLNK(status.st_mode) && stat(bytes.constData(), &status) != 0)
        throw errnoError(errno, path);
    if (S_ISDIR(status.st_mode))
        word |= Directory;

    const QString name = trimmed.section(QLatin1Char('/'), -1);
    if (name.startsWith(QLatin1Char('.')) && name != QLatin1String(".") &&
        name != QLatin1String(".."))
        word |= Hidden;
    if (const auto stored = storedDosAttributes(bytes))
        word |= *stored & kStoredBits;
    return word;
}

bool isRootFolder(const QString& path)
{
    return path.startsWith(QLatin1Char('/')) && QDir::cleanPath(path) == QLatin1String("/");
}

bool isSearchableFolder(bool isRoot, std::uint32_t attributes)
{
    return isRoot || (attributes != kHiddenSystemFolder && attributes != kHiddenSystemLink);
}

}  // namespace fs
