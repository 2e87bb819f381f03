// The entries of folders by name ignoring case, each folder listed once for as long as it is
// unchanged: a source that opens thousands of tables of one folder lists it once, not once
// per table.
#pragma once

#include <time.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

#include <QHash>
#include <QString>

namespace database {

class FolderEntries
{
public:
    // The entry of folder called name: the exact name when it exists and is wanted, else the
    // first entry (in name order) equal to it ignoring case that is wanted. wantFolder wants
    // folders (or links to them), otherwise regular files (or links to them). Empty when there
    // is none or the folder cannot be listed. The folder is listed again when its modification
    // time has changed (an entry added, removed or renamed), and before answering "none" from
    // a listing taken so soon after a change that another could have kept the same time.
    // Safe to call from several threads.
    std::filesystem::path find(const std::filesystem::path& folder, const QString& name,
                               bool wantFolder);

private:
    struct Listing
    {
        timespec modified = {};
        bool racy = false;  // taken within a timestamp's grain of the folder's last change
        // Each case-folded name to the entries of that name, in name order.
        QHash<QString, std::vector<QString>> byName;
    };
    Listing& listing(const std::filesystem::path& folder, bool fresh);

    std::mutex mMutex;
    std::map<std::filesystem::path, Listing> mListings;
};

}  // namespace database
