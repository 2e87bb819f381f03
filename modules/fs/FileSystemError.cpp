// Mapping of system errors to the numbered errors of the folder walk.
#include "modules/fs/FileSystemError.h"

#include <cerrno>
#include <cstring>

namespace fs {

FileSystemError::FileSystemError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), mNumber(number)
{}

namespace {

struct NumberedError
{
    int number;
    const char* description;
};

NumberedError numbered(int error)
{
    switch (error) {
        case EACCES:
        case EPERM:
            return {kPermissionDenied, "Permission denied"};
        case ENOENT:
        case ENOTDIR:
        case ELOOP:  // a chain of links that never ends leads nowhere
        case ENAMETOOLONG:
            return {kPathNotFound, "Path not found"};
        case EIO:
            return {kDeviceIoError, "Device I/O error"};
        case EMFILE:
        case ENFILE:
            return {kTooManyFiles, "Too many files"};
        default:
            return {kPathFileAccessError, "Path/File access error"};
    }
}

}  // namespace

FileSystemError errnoError(int error, const QString& path)
{
    const NumberedError e = numbered(error);
    return FileSystemError(e.number, QString::fromLatin1(e.description) + QStringLiteral(": ") +
                                         path + QStringLiteral(" (") +
                                         QString::fromLocal8Bit(std::strerror(error)) +
                                         QStringLiteral(")"));
}

}  // namespace fs
