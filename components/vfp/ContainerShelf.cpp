// The shelf of containers: one per file identity, replaced when the file has changed.
#include "components/vfp/ContainerShelf.h"

#include <sys/stat.h>

#include "components/vfp/VfpError.h"

namespace vfp {
namespace {

// Coarser than any file system's modification times (FAT keeps two seconds): a file changed
// this close to being read may change again and keep the same time and size.
constexpr time_t kTimestampGrain = 2;

}  // namespace

Container ContainerShelf::open(const std::filesystem::path& dbc)
{
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    struct stat status = {};
    if (stat(dbc.c_str(), &status) != 0)
        return Container::open(dbc);  // its own error names the file and the reason
    const std::lock_guard<std::mutex> lock(mMutex);
    Shelved& shelved = mShelved[{status.st_dev, status.st_ino}];
    const bool unchanged = (shelved.container || !shelved.error.empty()) && !shelved.racy &&
                           shelved.size == status.st_size &&
                           shelved.modified.tv_sec == status.st_mtim.tv_sec &&
                           shelved.modified.tv_nsec == status.st_mtim.tv_nsec;
    if (!unchanged) {
        shelved = Shelved{status.st_size,
                          status.st_mtim,
                          now.tv_sec - status.st_mtim.tv_sec < kTimestampGrain,
                          std::nullopt,
                          {}};
        try {
            shelved.container = Container::open(dbc);
        } catch (const VfpError& error) {
            shelved.error = error.what();
        }
    }
    if (!shelved.container)
        throw VfpError(shelved.error);
    return *shelved.container;
}

}  // namespace vfp
