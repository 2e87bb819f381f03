// Containers read once for the free tables that link back to them: the opens of one source
// share a shelf, so a folder of member tables reads its container once, not once per table.
//
//     auto shelf = std::make_shared<vfp::ContainerShelf>();
//     vfp::OpenOptions options;
//     options.longNamesFromContainer = true;
//     options.containers = shelf;             // every Table::open of this source
#pragma once

#include <sys/types.h>
#include <time.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "components/vfp/Container.h"

namespace vfp {

class ContainerShelf
{
public:
    // The container at dbc (Container::open with the default code page), read at the first
    // call and read again only when the file there has changed (another file, another size or
    // modification time) or had changed so shortly before it was read that a second change
    // could have kept its time. Throws VfpError as Container::open does, again at each call
    // while the file stays the one that failed. Safe to call from several threads.
    Container open(const std::filesystem::path& dbc);

private:
    struct Shelved
    {
        off_t size = 0;
        timespec modified = {};
        bool racy = false;  // read within a timestamp's grain of its last change
        std::optional<Container> container;
        std::string error;  // what Container::open threw, when container is empty
    };

    std::mutex mMutex;
    std::map<std::pair<dev_t, ino_t>, Shelved> mShelved;
};

}  // namespace vfp
