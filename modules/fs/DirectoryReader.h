// Reads the names in one folder in the order the file system keeps them (never sorted).
#pragma once

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include <QByteArray>

namespace fs {

class DirectoryReader
{
public:
    // Opens the folder at path (file-system bytes). Throws FileSystemError when it cannot be
    // listed (70 for a denied folder, 76 for a missing one).
    explicit DirectoryReader(const QByteArray& path);
    ~DirectoryReader();
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    struct Entry
    {
        const char* name;    // valid until the next call of next()
        unsigned char type;  // DT_DIR, DT_REG, DT_LNK, ... or DT_UNKNOWN
    };

    // Moves to the next entry other than "." and ".."; false after the last one.
    // Throws FileSystemError when reading the folder fails midway.
    bool next(Entry& entry);

    // Status of an entry of this folder, following links unless follow is false; false when
    // the entry is gone, is a link that leads nowhere or is a chain of links without end.
    // Throws FileSystemError on any other failure (a folder that may be listed but not
    // searched, for one).
    bool statEntry(const char* name, struct stat& status, bool follow = true) const;

    // A descriptor (O_PATH, to be closed by the caller) of the folder an entry is or leads to,
    // following links; -1 when the entry is gone, is not a folder, leads nowhere or is a chain
    // of links without end. Throws FileSystemError on any other failure, as statEntry does.
    int openFolderEntry(const char* name) const;

    // The listed folder itself, open for as long as the reader lives.
    int descriptor() const { return mFd; }

private:
    QByteArray mPath;
    int mFd = -1;
    std::unique_ptr<char[]> mBuffer;
    long mFilled = 0;    // bytes the last read put in mBuffer
    long mPosition = 0;  // where the next record starts
};

}  // namespace fs
