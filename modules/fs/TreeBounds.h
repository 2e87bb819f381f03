// What lies inside a chosen folder tree: the walk and the file listing follow a symbolic link
// only when it leads to a folder or file inside, so a tree sent by a stranger cannot lead them
// to the user's other files.
#pragma once

#include <sys/types.h>

#include <set>
#include <utility>

#include <QString>
#include <QStringList>

namespace fs {

class TreeBounds
{
public:
    // The trees below each of roots (folder paths, trailing "/" allowed). A root is taken as
    // the user gave it: a link among its own parts is followed. A root that cannot be examined
    // holds nothing.
    explicit TreeBounds(const QStringList& roots);

    // True when the folder open at descriptor is one of the roots or lies below one, as it
    // stands now: its ".." chain is climbed by identity (device and inode), so no path,
    // link or second name for a folder can mislead it.
    bool holdsFolder(int descriptor) const;

    // True when path (a file, or a link to one) resolves to a file in a folder holdsFolder
    // accepts. False when it cannot be resolved.
    bool holdsFile(const QString& path) const;

private:
    std::set<std::pair<dev_t, ino_t>> mRoots;
};

}  // namespace fs
