// Folder listing straight from getdents64: one open, the reads, one close, and no status
// call that opendir would add; each call costs dearly where system calls are slow.
#include "modules/fs/DirectoryReader.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include <QFile>

#include "components/files/FileName.h"
#include "modules/fs/FileSystemError.h"

namespace fs {
namespace {

constexpr std::size_t kBufferSize = 32 * 1024;  // a few hundred names per read

// Failures that mean there is no such entry to take, not that it cannot be examined.
bool isAbsentEntry(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP;
}

}  // namespace

DirectoryReader::DirectoryReader(const QByteArray& path) : mPath(path)
{
    mFd = open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (mFd < 0)
        throw errnoError(errno, files::fileNameText(path));
    mBuffer = std::make_unique<char[]>(kBufferSize);
}

DirectoryReader::~DirectoryReader()
{
    close(mFd);
}

bool DirectoryReader::next(Entry& entry)
{
    for (;;) {
        if (mPosition >= mFilled) {
            const ssize_t read = getdents64(mFd, mBuffer.get(), kBufferSize);
            if (read < 0)
                throw errnoError(errno, files::fileNameText(mPath));
            if (read == 0)
                return false;
            mFilled = read;
            mPosition = 0;
        }
        // Record layout (struct dirent64): inode 8, offset 8, record length 2, type 1, name.
        const auto* record = reinterpret_cast<const dirent64*>(mBuffer.get() + mPosition);
        mPosition += record->d_reclen;
        if (std::strcmp(record->d_name, ".") == 0 || std::strcmp(record->d_name, "..") == 0)
            continue;
        entry.name = record->d_name;
        entry.type = record->d_type;
        return true;
    }
}

bool DirectoryReader::statEntry(const char* name, struct stat& status, bool follow) const
{
    if (fstatat(mFd, name, &status, follow ? 0 : AT_SYMLINK_NOFOLLOW) == 0)
        return true;
    if (isAbsentEntry(errno))
        return false;
    throw errnoError(errno, files::fileNameText(mPath + name));
}

int DirectoryReader::openFolderEntry(const char* name) const
{
    const int folder = openat(mFd, name, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0 || isAbsentEntry(errno))
        return folder;
    throw errnoError(errno, files::fileNameText(mPath + name));
}

}  // namespace fs
