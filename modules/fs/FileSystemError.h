// The failure the folder walk and the file queries throw: a numbered error like the platform's
// run-time errors, so the walk can tell a denied or vanished folder from any other failure.
#pragma once

#include <stdexcept>

#include <QString>

namespace fs {

// Error numbers as the walk's handler distinguishes them.
constexpr int kPermissionDenied = 70;  // the folder may not be listed: it leaves the folder list
constexpr int kPathNotFound = 76;      // the folder is gone (or never was): it leaves the list too
constexpr int kDeviceIoError = 57;
constexpr int kTooManyFiles = 67;
constexpr int kPathFileAccessError = 75;  // any other refusal of the file system

class FileSystemError : public std::runtime_error
{
public:
    // description: a full sentence (UTF-8 in what()).
    FileSystemError(int number, const QString& description);

    int number() const { return mNumber; }

private:
    int mNumber;
};

// The error for a failed system call on path: errno mapped to its number, the number's
// description followed by the path and the system's own words,
// e.g. "Permission denied: /data/free/locked/ (Permission denied)".
FileSystemError errnoError(int error, const QString& path);

}  // namespace fs
