// The attribute word of a folder from lstat, stat and the stored DOS attributes.
#include "modules/fs/FolderAttributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <cerrno>

#include <QDir>
#include <QFile>

#include "components/files/FileName.h"
#include "modules/fs/FileSystemError.h"

namespace fs {
namespace {

// The stored bits the attribute word carries; the others (not indexed, offline, ...) are not
// part of a folder's attributes as the walk reads them.
constexpr std::uint32_t kStoredBits =
    ReadOnly | Hidden | System | Archive | ReparsePoint | Compressed;

// Enough for Samba's record (the hex text and up to a few dozen bytes of binary record).
constexpr std::size_t kXattrBufferSize = 256;

// The stored attributes, in the order they are tried.
struct StoredAttributeSource
{
    const char* name;
    std::optional<std::uint32_t> (*decode)(QByteArrayView);
};
constexpr StoredAttributeSource kStoredSources[] = {
    {"user.DOSATTRIB", dosAttributesFromSamba},
    {"system.ntfs_attrib_be", dosAttributesFromNtfs},
};

QByteArray withoutTrailingSlash(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);  // without the slash, lstat looks at a link itself, not at its target
    return files::fileNameBytes(trimmed);
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

FolderStatus folderStatus(const QString& path)
{
    const QByteArray bytes = withoutTrailingSlash(path);
    struct stat status = {};
    if (lstat(bytes.constData(), &status) != 0)
        throw errnoError(errno, path);
    FolderStatus result;
    result.isLink = S_ISLNK(status.st_mode);
    if (result.isLink && stat(bytes.constData(), &status) != 0)
        throw errnoError(errno, path);
    result.isDirectory = S_ISDIR(status.st_mode);
    result.device = status.st_dev;
    return result;
}

std::optional<std::uint32_t> AttributeReader::storedDosAttributes(const QByteArray& path,
                                                                  dev_t device)
{
    unsigned& unsupported = mUnsupported[device];
    char buffer[kXattrBufferSize];
    for (unsigned i = 0; i < std::size(kStoredSources); ++i) {
        if (unsupported & (1u << i))
            continue;
        const ssize_t size =
            getxattr(path.constData(), kStoredSources[i].name, buffer, sizeof buffer);
        if (size >= 0) {
            if (const auto bits = kStoredSources[i].decode(QByteArrayView(buffer, size)))
                return bits;
        } else if (errno == ENOTSUP) {
            unsupported |= 1u << i;  // the file system has no such attributes at all
        }
    }
    return std::nullopt;
}

std::uint32_t AttributeReader::word(const QString& path, const FolderStatus& status)
{
    std::uint32_t word = 0;
    if (status.isLink)
        word |= ReparsePoint;
    if (status.isDirectory)
        word |= Directory;
    QStringView name = path;
    while (name.size() > 1 && name.endsWith(QLatin1Char('/')))
        name.chop(1);
    name = name.sliced(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.startsWith(QLatin1Char('.')) && name != QLatin1String(".") &&
        name != QLatin1String(".."))
        word |= Hidden;
    if (const auto stored = storedDosAttributes(withoutTrailingSlash(path), status.device))
        word |= *stored & kStoredBits;
    return word;
}

std::uint32_t folderAttributes(const QString& path)
{
    AttributeReader reader;
    return reader.word(path, folderStatus(path));
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
