// Whether a folder or file lies inside the chosen trees, decided by climbing ".." from where it
// really is: the answer holds for what the descriptor names, whatever path led there.
#include "modules/fs/TreeBounds.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "components/files/FileName.h"

namespace fs {
namespace {

// More ".." steps than any path can have parts: a climb that takes longer is not trusted.
constexpr int kMaxClimb = PATH_MAX / 2;

// A descriptor this file opened, closed when it goes.
class OwnedDescriptor
{
public:
    explicit OwnedDescriptor(int descriptor) : mDescriptor(descriptor) {}
    ~OwnedDescriptor()
    {
        if (mDescriptor >= 0)
            close(mDescriptor);
    }
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(OwnedDescriptor&& other) noexcept
    {
        std::swap(mDescriptor, other.mDescriptor);
        return *this;
    }

    int get() const { return mDescriptor; }

private:
    int mDescriptor;
};

}  // namespace

TreeBounds::TreeBounds(const QStringList& roots)
{
    for (const QString& root : roots) {
        struct stat status = {};
        if (stat(files::fileNameBytes(root).constData(), &status) == 0 && S_ISDIR(status.st_mode))
            mRoots.emplace(status.st_dev, status.st_ino);
    }
}

bool TreeBounds::holdsFolder(int descriptor) const
{
    struct stat status = {};
    if (mRoots.empty() || fstat(descriptor, &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    OwnedDescriptor current(-1);
    int at = descriptor;
    for (int step = 0; step < kMaxClimb; ++step) {
        if (mRoots.contains({status.st_dev, status.st_ino}))
            return true;
        OwnedDescriptor parent(openat(at, "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat parentStatus = {};
        if (parent.get() < 0 || fstat(parent.get(), &parentStatus) != 0)
            return false;  // a folder that cannot be climbed out of is not known to be inside
        if (parentStatus.st_dev == status.st_dev && parentStatus.st_ino == status.st_ino)
            return false;  // the root of the file system, whose ".." is itself
        current = std::move(parent);
        at = current.get();
        status = parentStatus;
    }
    return false;
}

bool TreeBounds::holdsFile(const QString& path) const
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(
        realpath(files::fileNameBytes(path).constData(), nullptr), &std::free);
    if (!resolved)
        return false;
    // The canonical path has no link left in it: its folder is the folder the file is in.
    std::string folder(resolved.get());
    folder.erase(folder.find_last_of('/') + 1);
    const OwnedDescriptor opened(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    return opened.get() >= 0 && holdsFolder(opened.get());
}

}  // namespace fs
