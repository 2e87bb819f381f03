// Folder listing over opendir/readdir, with the errors of the walk.
#include "fs/DirectoryReader.h"

#include <fcntl.h>
#include <cerrno>
#include <cstring>

#include <QFile>

#include "fs/FileSystemError.h"

namespace fs {

DirectoryReader::DirectoryReader(const QByteArray& path) : mPath(path)
{
    mDir = opendir(path.constData());
    if (!mDir)
        throw errnoError(errno, QFile::decodeName(path));
}

DirectoryReader::~DirectoryReader()
{
    closedir(mDir);
}

bool DirectoryReader::next(Entry& entry)
{
    for (;;) {
        errno = 0;  // readdir tells the end from a failure only through errno
        const dirent* found = readdir(mDir);
        if (!found) {
            if (errno != 0)
                throw errnoError(errno, QFile::decodeName(mPath));
            return false;
        }
        if (std::strcmp(found->d_name, ".") == 0 || std::strcmp(found->d_name, "..") == 0)
            continue;
        entry.name = found->d_name;
        entry.type = found->d_type;
        return true;
    }
}

bool DirectoryReader::statEntry(const char* name, struct stat& status) const
{
    if (fstatat(dirfd(mDir), name, &status, 0) == 0)
        return true;
    if (errno == ENOENT || errno == ENOTDIR || errno == ELOOP)
        return false;
    throw errnoError(errno, QFile::decodeName(mPath + name));
}

}  // namespace fs
